# Tests of the game program as a player starts it (tests/program), registered here beside the
# program's own CMake file rather than in tests/CMakeLists.txt.
add_test(NAME Program.CommandLine
    COMMAND "${CMAKE_SOURCE_DIR}/tests/program/command-line.sh" $<TARGET_FILE:hingewalk> "${PROJECT_VERSION}")
set_tests_properties(Program.CommandLine PROPERTIES TIMEOUT 120)
