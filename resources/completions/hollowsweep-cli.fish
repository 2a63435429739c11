# fish completion for hollowsweep-cli.
# Keep the option lists in step with src/cli/CliApp.cpp and docs/man/hollowsweep-cli.1.in.

complete -c hollowsweep-cli -f

complete -c hollowsweep-cli -n __fish_use_subcommand -a scan -d 'List the empty folders at and below each FOLDER'
complete -c hollowsweep-cli -n __fish_use_subcommand -a delete -d 'Remove the empty folders at and below each FOLDER'
complete -c hollowsweep-cli -n __fish_use_subcommand -l version -d 'Show the version and exit'
complete -c hollowsweep-cli -s h -l help -d 'Show the options and exit'

set -l scan '__fish_seen_subcommand_from scan'
complete -c hollowsweep-cli -n $scan -s 0 -l null -d 'End each path with NUL (list format only)'
complete -c hollowsweep-cli -n $scan -s f -l format -x -a 'list txt csv html xml xlsx json' -d 'Output format'
complete -c hollowsweep-cli -n $scan -s o -l output -r -F -d 'Write the list or the export to FILE'
complete -c hollowsweep-cli -n $scan -s c -l config -r -F -d 'Take the exported columns from FILE'
complete -c hollowsweep-cli -n $scan -l list-protected -d 'Print the folders kept for other programs, with the reason'

set -l delete '__fish_seen_subcommand_from delete'
complete -c hollowsweep-cli -n $delete -s n -l dry-run -d 'Only print what would be removed'
complete -c hollowsweep-cli -n $delete -s 0 -l null -d 'NUL after each printed path, and in the --from list'
complete -c hollowsweep-cli -n $delete -l from -r -F -d 'Remove exactly the folders listed in FILE'

set -l either '__fish_seen_subcommand_from scan delete'
complete -c hollowsweep-cli -n $either -s q -l quiet -d 'Show no progress'
complete -c hollowsweep-cli -n $either -s j -l threads -x -d 'Number of threads (1-256)'
complete -c hollowsweep-cli -n $either -s e -l exclude -x -d 'Never enter a folder whose name (or path, with a /) matches GLOB'
complete -c hollowsweep-cli -n $either -l junk -x -d 'Files whose name matches GLOB do not count as content'
complete -c hollowsweep-cli -n $either -l junk-common -d 'Treat Thumbs.db, ehthumbs.db, desktop.ini, .DS_Store as junk'
complete -c hollowsweep-cli -n $either -s x -l one-file-system -d 'Do not enter folders on other file systems'
complete -c hollowsweep-cli -n $either -l older-than -x -a '90m 12h 7d' -d 'Folders modified less than AGE ago count as content'
complete -c hollowsweep-cli -n $either -l no-protect -d 'Also list and remove folders that other programs need'
complete -c hollowsweep-cli -n $either -a '(__fish_complete_directories (commandline -ct))'
