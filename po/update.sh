#!/usr/bin/env bash
# Gathers the messages of the core and the command-line tool into the
# template, and merges it into every translation, which keeps what is already
# translated. Run it after changing a message, then translate what is new.
set -euo pipefail
cd "$(dirname "$0")/.."
xgettext --language=C++ --from-code=UTF-8 --keyword=Tr --keyword=TrN:1,2 --keyword=TrNoop --keyword=IOError:3 \
    --package-name=hollowsweep --msgid-bugs-address=mail@hollowsweep.example.org \
    --sort-by-file -o po/hollowsweep.pot $(git ls-files 'src/core/*.cpp' 'src/cli/*.cpp')
for po in po/*.po; do
    msgmerge --quiet --update --backup=none "$po" po/hollowsweep.pot
done
