# What a Linux system looks for besides the binaries: the manual pages, the tool's shell
# completions and the program's AppStream metainfo. The pages are roff written by hand in
# docs/man/, so they build with nothing but gzip; only the version and the date are filled in.

set(hollowsweep_man_pages)
if(HOLLOWSWEEP_BUILD_CLI)
    list(APPEND hollowsweep_man_pages hollowsweep-cli)
endif()
if(HOLLOWSWEEP_BUILD_APP)
    list(APPEND hollowsweep_man_pages hollowsweep)
endif()

set(hollowsweep_compressed_pages)
foreach(page IN LISTS hollowsweep_man_pages)
    set(page_file ${PROJECT_BINARY_DIR}/man/${page}.1)
    configure_file(${PROJECT_SOURCE_DIR}/docs/man/${page}.1.in ${page_file} @ONLY)
    # -n leaves the name and time out of the header, so the same page gives the same bytes.
    add_custom_command(OUTPUT ${page_file}.gz
                       COMMAND gzip -9 -n -k -f ${page_file}
                       DEPENDS ${page_file}
                       COMMENT "Compressing the manual page ${page}(1)"
                       VERBATIM)
    list(APPEND hollowsweep_compressed_pages ${page_file}.gz)
    install(FILES ${page_file}.gz DESTINATION share/man/man1)
endforeach()
if(hollowsweep_compressed_pages)
    add_custom_target(hollowsweep_man_pages ALL DEPENDS ${hollowsweep_compressed_pages})
endif()

if(HOLLOWSWEEP_BUILD_CLI)
    set(completions ${PROJECT_SOURCE_DIR}/resources/completions)
    install(FILES ${completions}/hollowsweep-cli.bash
            DESTINATION share/bash-completion/completions RENAME hollowsweep-cli)
    install(FILES ${completions}/_hollowsweep-cli DESTINATION share/zsh/vendor-completions)
    install(FILES ${completions}/hollowsweep-cli.fish
            DESTINATION share/fish/vendor_completions.d)
endif()

if(HOLLOWSWEEP_BUILD_APP)
    set(metainfo org.example.hollowsweep.metainfo.xml)
    configure_file(${PROJECT_SOURCE_DIR}/resources/metainfo/${metainfo}.in
                   ${PROJECT_BINARY_DIR}/metainfo/${metainfo} @ONLY)
    install(FILES ${PROJECT_BINARY_DIR}/metainfo/${metainfo} DESTINATION share/metainfo)
endif()
