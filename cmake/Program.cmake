# Around the game program: the program as the downloadable bundle carries it, and the target
# that builds the game alone. Included after src/ and the game data, whose targets it uses.

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
