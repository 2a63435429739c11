# The Debian package, made by CPack from a build: cpack -G DEB in the build directory, or
# scripts/package.sh, which also checks it. Installed under /usr, named hollowsweep_<version>_<arch>.deb.

set(HOLLOWSWEEP_MAINTAINER "Hollowsweep developers <mail@hollowsweep.example.org>")

# The Debian changelog wants the release date as RFC 5322 gives it, weekday included.
function(hollowsweep_rfc5322_date isoDate outputVariable)
    string(REGEX MATCH "^([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])$" matched "${isoDate}")
    if(NOT matched)
        message(FATAL_ERROR "HOLLOWSWEEP_RELEASE_DATE \"${isoDate}\" is not a date as 2026-12-31")
    endif()
    set(yearText ${CMAKE_MATCH_1})
    set(dayText ${CMAKE_MATCH_3})
    math(EXPR year "${CMAKE_MATCH_1}")
    math(EXPR month "${CMAKE_MATCH_2}")
    math(EXPR day "${CMAKE_MATCH_3}")
    # Sakamoto's method: the weekday, 0 for Sunday, from a table of month offsets.
    set(offsets 0 3 2 5 0 3 5 1 4 6 2 4)
    math(EXPR index "${month} - 1")
    list(GET offsets ${index} offset)
    if(month LESS 3)
        math(EXPR year "${year} - 1")
    endif()
    math(EXPR weekday "(${year} + ${year} / 4 - ${year} / 100 + ${year} / 400 + ${offset} + ${day}) % 7")
    set(weekdays Sun Mon Tue Wed Thu Fri Sat)
    set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
    list(GET weekdays ${weekday} weekdayName)
    list(GET months ${index} monthName)
    set(${outputVariable}
        "${weekdayName}, ${dayText} ${monthName} ${yearText} 00:00:00 +0000" PARENT_SCOPE)
endfunction()

set(doc_folder share/doc/hollowsweep)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/debian/copyright DESTINATION ${doc_folder})
# A package whose version has no Debian revision is native, and lintian wants its changelog
# in Debian's format.
hollowsweep_rfc5322_date("${HOLLOWSWEEP_RELEASE_DATE}" HOLLOWSWEEP_RELEASE_TIME)
set(changelog ${PROJECT_BINARY_DIR}/packaging/changelog)
configure_file(${PROJECT_SOURCE_DIR}/packaging/debian/changelog.in ${changelog} @ONLY)
add_custom_command(OUTPUT ${changelog}.gz
                   COMMAND gzip -9 -n -k -f ${changelog}
                   DEPENDS ${changelog}
                   COMMENT "Compressing the Debian changelog"
                   VERBATIM)
add_custom_target(hollowsweep_changelog ALL DEPENDS ${changelog}.gz)
install(FILES ${changelog}.gz DESTINATION ${doc_folder})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME hollowsweep)
set(CPACK_PACKAGE_VENDOR "The Hollowsweep developers")
set(CPACK_PACKAGE_CONTACT "${HOLLOWSWEEP_MAINTAINER}")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://hollowsweep.example.org/")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "find and remove folders that hold no file")
# CPack turns the blank lines into the " ." that Debian's control format wants.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Hollowsweep finds the folders that hold no file at any depth, lists them
deepest first and removes the ones you pick. It never removes anything that
holds data: a folder is removed only while it is empty, links count as
content and are never followed, and a folder it could not look into counts
as not empty.

Rules narrow what counts as empty: folder names to skip, junk files such as
thumbnail caches that may go with their folder, one file system, a minimum
age. The list can be exported as HTML, text, CSV, XML, JSON or a workbook.

The package holds the Qt desktop program, hollowsweep, which can also move
empty folders to the desktop's trash, and the command-line tool,
hollowsweep-cli, with manual pages and bash, zsh and fish completions.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads these as plugins, which dpkg-shlibdeps cannot see: the SVG icons of the window and
# its buttons.
if(HOLLOWSWEEP_BUILD_APP)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6")
    # "Open" on a folder goes to the file manager through xdg-open outside a portal; Qt's own
    # translations put the standard buttons in the user's language beside the program's.
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, qt6-translations-l10n")
endif()
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
