# One static library per layer of src/. A layer links only the layers below it, and before it compiles a
# check reads its sources: an include of a layer it may not use fails the build, naming the file and line.
#
#   n35_add_layer(<layer> USES <layers below> LINKS <libraries> SOURCES <files>)
#
# makes the library n35<layer> from src/<layer>/<files>. The sources of the widget-free layers are
# collected in the global property N35_CORE_SOURCES (absolute paths), from which the fuzz build makes its
# own instrumented copy of the core.

set(N35_LAYER_CHECK ${CMAKE_CURRENT_LIST_DIR}/checklayer.cmake)

function(n35_add_layer layer)
    cmake_parse_arguments(PARSE_ARGV 1 ARG "CORE" "" "USES;LINKS;SOURCES")
    set(target n35${layer})
    add_library(${target} STATIC ${ARG_SOURCES})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    set(libraries ${ARG_LINKS})
    foreach(below ${ARG_USES})
        list(APPEND libraries n35${below})
    endforeach()
    target_link_libraries(${target} PUBLIC ${libraries})

    list(TRANSFORM ARG_SOURCES PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/ OUTPUT_VARIABLE paths)
    if(ARG_CORE)
        set_property(GLOBAL APPEND PROPERTY N35_CORE_SOURCES ${paths})
    endif()

    set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${target}-includes.stamp)
    string(JOIN "|" allowed ${layer} ${ARG_USES})
    add_custom_command(OUTPUT ${stamp}
        COMMAND ${CMAKE_COMMAND} -DLAYER=${layer} -DALLOWED=${allowed} -DDIR=${CMAKE_CURRENT_SOURCE_DIR}
            -DSTAMP=${stamp} -P ${N35_LAYER_CHECK}
        DEPENDS ${paths} ${N35_LAYER_CHECK}
        COMMENT "Checking the includes of src/${layer}"
        VERBATIM)
    add_custom_target(${target}-includes DEPENDS ${stamp})
    add_dependencies(${target} ${target}-includes)
endfunction()
