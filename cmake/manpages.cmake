# Manual pages for the three programs, made at build time from each program's --help and --version by
# Debian's help2man (cmake/manpage.cmake), so they never fall behind the programs. data/man/*.h2m add
# what --help does not say (files, examples, see also).
#
# N35_MANPAGES: AUTO makes them when help2man is there and says so when it is not (a Windows build, or a
# quick build without it); ON requires them (./build.sh package); OFF leaves them out.
# cmake/install.cmake installs N35_MANPAGE_FILES to share/man/man1.

set(N35_MANPAGES AUTO CACHE STRING "Manual pages: AUTO (when help2man is installed), ON (required) or OFF")
set_property(CACHE N35_MANPAGES PROPERTY STRINGS AUTO ON OFF)

set(N35_MANPAGE_FILES "")
if(NOT N35_MANPAGES STREQUAL "OFF")
    find_program(N35_HELP2MAN help2man)
    find_program(N35_GZIP gzip)
    if(NOT N35_HELP2MAN)
        if(N35_MANPAGES STREQUAL "ON")
            message(FATAL_ERROR "help2man was not found, and N35_MANPAGES=ON needs it for the manual pages. "
                                "On Debian: apt-get install help2man")
        endif()
        message(STATUS "help2man not found: no manual pages (on Debian: apt-get install help2man)")
    endif()
endif()

if(N35_HELP2MAN AND NOT N35_MANPAGES STREQUAL "OFF")
    set(man_dir ${CMAKE_BINARY_DIR}/man)
    file(MAKE_DIRECTORY ${man_dir})
    set(pages)
    # program; NAME line of the page; ON when the program has commands of its own
    set(programs
        "hvn35writer|read, edit and write the memory of an HV-N35 handheld radio|OFF"
        "hvn35|read, write, check and convert the memory of an HV-N35 handheld radio|ON"
        "hvn35-emulator|a stand-in HV-N35 radio on a pseudo-terminal|OFF")
    foreach(entry IN LISTS programs)
        string(REPLACE "|" ";" entry "${entry}")
        list(GET entry 0 program)
        list(GET entry 1 name)
        list(GET entry 2 commands)
        set(page ${man_dir}/${program}.1)
        if(N35_GZIP)
            set(made ${page}.gz)
        else()
            set(made ${page})
        endif()
        set(include ${PROJECT_SOURCE_DIR}/data/man/${program}.h2m)
        add_custom_command(OUTPUT ${made}
            COMMAND ${CMAKE_COMMAND} -DHELP2MAN=${N35_HELP2MAN} -DPROGRAM=$<TARGET_FILE:${program}>
                "-DNAME=${name}" -DINCLUDE=${include} -DVERSION=${PROJECT_VERSION} -DOUTPUT=${page}
                -DGZIP=${N35_GZIP}
                -DCOMMANDS=${commands} -P ${CMAKE_CURRENT_LIST_DIR}/manpage.cmake
            DEPENDS ${program} ${include} ${CMAKE_CURRENT_LIST_DIR}/manpage.cmake
            COMMENT "Manual page ${program}.1"
            VERBATIM)
        list(APPEND pages ${made})
    endforeach()
    add_custom_target(n35-manpages ALL DEPENDS ${pages})
    set(N35_MANPAGE_FILES ${pages})
endif()
