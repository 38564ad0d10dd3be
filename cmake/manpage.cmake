# Makes one manual page from a program's --help and --version with help2man (cmake -P, at build time):
#
#   cmake -DHELP2MAN=... -DPROGRAM=.../hvn35 -DNAME="one line" -DINCLUDE=data/man/hvn35.h2m
#         -DVERSION=1.0.0 -DOUTPUT=.../hvn35.1 [-DGZIP=/usr/bin/gzip] [-DCOMMANDS=ON] -P manpage.cmake
#
# The page's footer gets the version alone: with the source revision beside it (what --version prints)
# it runs into the date.
#
# COMMANDS=ON: the program has commands ("Commands:" in its help, two spaces before each name); each
# one's "PROGRAM COMMAND --help" goes into a COMMANDS section, so the page describes every command.
# With GZIP the page is written as OUTPUT.gz, as Debian installs manual pages.

# The window program answers --help without a window, but must not even try to reach a display.
set(ENV{QT_QPA_PLATFORM} offscreen)
# In a sanitizer build (N35_SANITIZE) a leak report at exit would fail the page; the tests look for leaks.
set(ENV{ASAN_OPTIONS} detect_leaks=0)
get_filename_component(dir "${OUTPUT}" DIRECTORY)
get_filename_component(program_name "${PROGRAM}" NAME)
set(include_file "${INCLUDE}")

if(COMMANDS)
    execute_process(COMMAND "${PROGRAM}" --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${PROGRAM} --help failed (${status})")
    endif()
    string(REGEX REPLACE ".*\nCommands:\n" "" listed "${help}")
    string(REGEX REPLACE "\n\n.*" "" listed "${listed}")
    string(REPLACE "\n" ";" listed "${listed}")
    set(section "[COMMANDS]\n")
    foreach(line IN LISTS listed)
        if(NOT line MATCHES "^  ([a-z]+)")
            continue()
        endif()
        set(command "${CMAKE_MATCH_1}")
        execute_process(COMMAND "${PROGRAM}" ${command} --help OUTPUT_VARIABLE text RESULT_VARIABLE status)
        if(NOT status EQUAL 0)
            message(FATAL_ERROR "${PROGRAM} ${command} --help failed (${status})")
        endif()
        # roff: a backslash is written \e, and a line starting with a dot or quote is escaped with \&.
        string(REPLACE "\\" "\\e" text "${text}")
        string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
        string(STRIP "${text}" text)
        string(APPEND section ".SS \"${program_name} ${command}\"\n.nf\n${text}\n.fi\n")
    endforeach()
    file(READ "${INCLUDE}" included)
    set(include_file "${dir}/${program_name}.h2m")
    file(WRITE "${include_file}" "${included}\n${section}")
endif()

execute_process(
    COMMAND "${HELP2MAN}" --no-info --section=1 "--name=${NAME}" "--include=${include_file}"
        "--version-string=${VERSION}" "--output=${OUTPUT}" "${PROGRAM}"
    RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "help2man failed for ${PROGRAM} (${status})")
endif()
if(GZIP)
    # -n: no name or time stamp inside, so the same page compresses to the same bytes.
    execute_process(COMMAND "${GZIP}" -9nf "${OUTPUT}" RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "gzip failed for ${OUTPUT} (${status})")
    endif()
endif()
