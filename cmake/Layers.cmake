# One static library per layer of src/, each linking only the layers below it.
#
# A layer's headers reach its own sources and the layers above it through a staging folder
# that holds a link to that one layer's folder: `#include "world/GameObject.hpp"` resolves as
# <build>/layers/world/world/GameObject.hpp. A layer's include path thus names only itself and
# what it links, so an include that points up the order fails to compile.
#
#   hingewalk_layer(NAME [BELOW lower...] [SFML component...] [SOURCES extra...])
function(hingewalk_layer name)
    cmake_parse_arguments(LAYER "" "" "BELOW;SFML;SOURCES" ${ARGN})
    set(folder "${CMAKE_CURRENT_SOURCE_DIR}/${name}")
    set(stage "${CMAKE_BINARY_DIR}/layers/${name}")
    file(MAKE_DIRECTORY "${stage}")
    file(CREATE_LINK "${folder}" "${stage}/${name}" SYMBOLIC)
    file(GLOB sources CONFIGURE_DEPENDS "${folder}/*.cpp")

    set(target hingewalk_${name})
    add_library(${target} STATIC ${sources} ${LAYER_SOURCES})
    target_include_directories(${target} PUBLIC "${stage}")
    foreach(lower IN LISTS LAYER_BELOW)
        target_link_libraries(${target} PUBLIC hingewalk_${lower})
    endforeach()
    foreach(component IN LISTS LAYER_SFML)
        target_link_libraries(${target} PUBLIC SFML::${component})
    endforeach()
    hingewalk_warnings(${target})
endfunction()
