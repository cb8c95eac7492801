# The game program's own pieces around the engine: the version (from project()), the
# command line, and Xlib for asking whether a display can be opened before SFML tries
# (SFML aborts when it cannot). Included after src/ and the game data, whose targets it uses.
configure_file("${CMAKE_SOURCE_DIR}/cmake/HingewalkVersion.hpp.in"
    "${CMAKE_BINARY_DIR}/version/HingewalkVersion.hpp" @ONLY)
# scripts/package reads the version here, without running anything.
file(WRITE "${CMAKE_BINARY_DIR}/version/VERSION" "${PROJECT_VERSION}\n")

target_sources(hingewalk PRIVATE "${CMAKE_SOURCE_DIR}/src/CommandLine.cpp")
target_include_directories(hingewalk PRIVATE "${CMAKE_BINARY_DIR}/version")

# src/display/DisplayCheck.cpp asks Xlib: the library that holds it (the display layer's)
# links it, so that everything linking that library gets Xlib after it.
find_package(X11 REQUIRED)
get_property(src_targets DIRECTORY "${CMAKE_SOURCE_DIR}/src" PROPERTY BUILDSYSTEM_TARGETS)
set(display_check_target "")
foreach(candidate IN LISTS src_targets)
    get_target_property(candidate_sources ${candidate} SOURCES)
    if(candidate_sources MATCHES "display/DisplayCheck\\.cpp")
        set(display_check_target ${candidate})
    endif()
endforeach()
if(NOT display_check_target)
    message(FATAL_ERROR "No target of src/ builds display/DisplayCheck.cpp")
endif()
target_link_libraries(${display_check_target} PUBLIC X11::X11)

# The program as the downloadable bundle carries it (scripts/package): the same sources and
# libraries, linked without the checkout's loader and library folder (the bundle's launcher
# starts it through its own loader and library folder) and without symbols, whose debugging
# data would name this machine's source paths.
get_target_property(program_sources hingewalk SOURCES)
get_target_property(program_source_dir hingewalk SOURCE_DIR)
get_target_property(program_libraries hingewalk LINK_LIBRARIES)
set(packaged_sources "")
foreach(source IN LISTS program_sources)
    if(IS_ABSOLUTE "${source}")
        list(APPEND packaged_sources "${source}")
    else()
        list(APPEND packaged_sources "${program_source_dir}/${source}")
    endif()
endforeach()
add_executable(hingewalk-packaged EXCLUDE_FROM_ALL ${packaged_sources})
target_link_libraries(hingewalk-packaged PRIVATE ${program_libraries})
target_include_directories(hingewalk-packaged PRIVATE "${CMAKE_BINARY_DIR}/version")
target_link_options(hingewalk-packaged PRIVATE -s)
if(HINGEWALK_SFML_PREFIX)
    # SFML's libraries need the newer C library: the system linker checks them against the old
    # one, and finds their own dependencies in the prefix without recording where.
    target_link_options(hingewalk-packaged PRIVATE
        -Wl,--allow-shlib-undefined -Wl,-rpath-link,${HINGEWALK_SFML_LIBDIR})
endif()
hingewalk_warnings(hingewalk-packaged)
set_target_properties(hingewalk-packaged PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/packaged" SKIP_BUILD_RPATH ON)

# `game`: the program and its working directory's data, without the tests and tools
# (scripts/play and scripts/package build only this).
add_custom_target(game)
add_dependencies(game hingewalk)
foreach(data_target game_data game_audio)
    if(TARGET ${data_target})
        add_dependencies(game ${data_target})
    endif()
endforeach()
