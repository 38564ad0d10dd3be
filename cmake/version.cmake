# The version and source revision every program prints with --version. The revision is read at build
# time, not at configure time, so a rebuild after a commit or an edit shows the new one; the header is
# rewritten only when its text changes (cmake/revision.cmake), so nothing recompiles needlessly.
#
# Programs link n35version and include "buildversion.h" (n35::BuildVersion, n35::BuildRevision).

find_package(Git QUIET)
set(N35_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
set(N35_BUILDVERSION_HEADER ${N35_GENERATED_DIR}/buildversion.h)

add_custom_target(n35-revision
    COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR} -DOUTPUT=${N35_BUILDVERSION_HEADER}
        -DVERSION=${PROJECT_VERSION} -DGIT=${GIT_EXECUTABLE} -P ${CMAKE_CURRENT_LIST_DIR}/revision.cmake
    BYPRODUCTS ${N35_BUILDVERSION_HEADER}
    COMMENT "Reading the source revision"
    VERBATIM)

add_library(n35version INTERFACE)
target_include_directories(n35version INTERFACE ${N35_GENERATED_DIR})
# Followed in its place by every target that links it, so the header is there before they compile.
add_dependencies(n35version n35-revision)

foreach(program hvn35writer hvn35-emulator n35cli)
    target_link_libraries(${program} PRIVATE n35version)
endforeach()
