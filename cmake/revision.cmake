# Run at every build (cmake -P) by the n35-revision target of cmake/version.cmake: writes the header with
# the version and the source revision the programs are built from, and rewrites it only when its text
# changes, so that a build from the same revision recompiles nothing.
#
#   cmake -DSOURCE_DIR=... -DOUTPUT=.../buildversion.h -DVERSION=1.0.0 [-DGIT=/usr/bin/git] -P revision.cmake

set(revision unknown)
# Only the project's own checkout counts: a tarball unpacked inside some other repository is "unknown".
if(GIT AND EXISTS "${SOURCE_DIR}/.git")
    execute_process(COMMAND "${GIT}" describe --always
        WORKING_DIRECTORY "${SOURCE_DIR}"
        OUTPUT_VARIABLE described OUTPUT_STRIP_TRAILING_WHITESPACE
        RESULT_VARIABLE described_status ERROR_QUIET)
    if(described_status EQUAL 0 AND described)
        set(revision "${described}")
        # What `git describe --dirty` says, without its refresh of the index: that takes the index lock
        # and would make a commit running at the same moment fail.
        execute_process(COMMAND "${GIT}" --no-optional-locks status --porcelain --untracked-files=no
            WORKING_DIRECTORY "${SOURCE_DIR}"
            OUTPUT_VARIABLE changes RESULT_VARIABLE status_status ERROR_QUIET)
        if(status_status EQUAL 0 AND NOT changes STREQUAL "")
            string(APPEND revision "-dirty")
        endif()
    endif()
endif()

set(text "// Made by cmake/revision.cmake at build time; do not edit.
#pragma once

namespace n35
{
inline constexpr const char *BuildVersion = \"${VERSION}\";
inline constexpr const char *BuildRevision = \"${revision}\";
} // namespace n35
")

set(old "")
if(EXISTS "${OUTPUT}")
    file(READ "${OUTPUT}" old)
endif()
if(NOT old STREQUAL text)
    file(WRITE "${OUTPUT}" "${text}")
endif()
