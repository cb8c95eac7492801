# The spoken dialogue: tools/voices renders one clip per page of the script, and the quiz
# questions, into ${GAME_DIR}/dialog. The tool keeps a manifest of what each clip was made
# from, so a changed page re-renders only its clip; when the script and the tool are
# unchanged the stamp is up to date and the build does nothing.
set(VOICE_SCRIPT_PATH "${CMAKE_SOURCE_DIR}/data/script/dialogue.txt")
# Globbing one path lets the build notice when the script first appears.
file(GLOB VOICE_SCRIPT CONFIGURE_DEPENDS "${VOICE_SCRIPT_PATH}")
if(NOT VOICE_SCRIPT)
    message(STATUS "No data/script/dialogue.txt yet: the build makes no voice clips")
    return()
endif()

find_program(VOICES_PYTHON3 python3 REQUIRED)
set(VOICES_TOOL "${CMAKE_SOURCE_DIR}/tools/voices/render-voices")
execute_process(COMMAND "${VOICES_PYTHON3}" -B "${VOICES_TOOL}" --check
    RESULT_VARIABLE VOICES_MISSING ERROR_VARIABLE VOICES_PROBLEMS OUTPUT_QUIET)
if(VOICES_MISSING)
    message(FATAL_ERROR "The voice clips cannot be rendered:\n${VOICES_PROBLEMS}"
                        "scripts/play and scripts/test install these packages.")
endif()

set(VOICES_WORK_DIR "${CMAKE_BINARY_DIR}/voices-work")
set(VOICES_STAMP "${VOICES_WORK_DIR}/voices.stamp")
add_custom_command(OUTPUT "${VOICES_STAMP}"
    COMMAND "${VOICES_PYTHON3}" -B "${VOICES_TOOL}" --script "${VOICE_SCRIPT_PATH}"
            --out "${GAME_DIR}/dialog" --work "${VOICES_WORK_DIR}"
    COMMAND ${CMAKE_COMMAND} -E touch "${VOICES_STAMP}"
    DEPENDS "${VOICE_SCRIPT_PATH}" "${VOICES_TOOL}" "${CMAKE_SOURCE_DIR}/tools/voices/voices.py"
            "${CMAKE_SOURCE_DIR}/tools/voices/cast.py"
            "${CMAKE_SOURCE_DIR}/tools/script/hwscript.py"
    COMMENT "Speaking the script (voice clips in ${GAME_DIR}/dialog)"
    USES_TERMINAL
    VERBATIM)
list(APPEND GAME_DATA_OUTPUTS "${VOICES_STAMP}")
