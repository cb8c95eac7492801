# Assembles the data folders of the game's working directory, GAME_DIR: sprite files copied
# from data/sprites, the generated font, window icon and measuring-tape picture, and the voice
# clips spoken from the script (GameVoices.cmake).
find_program(IMAGEMAGICK_CONVERT convert REQUIRED)
set(DEJAVU_MONO "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf")
if(NOT EXISTS "${DEJAVU_MONO}")
    message(FATAL_ERROR "DejaVu Sans Mono is missing (Debian package fonts-dejavu-core)")
endif()

file(GLOB SPRITE_FILES CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/data/sprites/*.txt")
set(GAME_DATA_OUTPUTS "")
foreach(source ${SPRITE_FILES})
    get_filename_component(name "${source}" NAME)
    set(target_file "${GAME_DIR}/sprites/${name}")
    add_custom_command(OUTPUT "${target_file}"
        COMMAND ${CMAKE_COMMAND} -E copy_if_different "${source}" "${target_file}"
        DEPENDS "${source}" VERBATIM)
    list(APPEND GAME_DATA_OUTPUTS "${target_file}")
endforeach()

# The game's font: DejaVu Sans Mono narrowed to 60 % of its width, so that every glyph fits
# the 0.36 em wide cell the renderer gives it instead of overlapping its neighbours.
find_program(FONT_PYTHON3 python3 PATHS /usr/bin NO_DEFAULT_PATH)
find_program(FONT_PYTHON3 python3 REQUIRED)
execute_process(COMMAND "${FONT_PYTHON3}" -c "import fontTools" RESULT_VARIABLE FONTTOOLS_MISSING
    OUTPUT_QUIET ERROR_QUIET)
if(FONTTOOLS_MISSING)
    message(FATAL_ERROR "${FONT_PYTHON3} cannot import fontTools (Debian package python3-fonttools)")
endif()
add_custom_command(OUTPUT "${GAME_DIR}/font-fixed-v3.ttf"
    COMMAND "${FONT_PYTHON3}" "${CMAKE_SOURCE_DIR}/tools/condense-font" "${DEJAVU_MONO}"
            "${GAME_DIR}/font-fixed-v3.ttf" 0.6
    DEPENDS "${DEJAVU_MONO}" "${CMAKE_SOURCE_DIR}/tools/condense-font" VERBATIM)

# The window icon: the player's door with a round knob (frame 6 of the door sprite), drawn
# in the door's colour on black.
set(DEJAVU_MONO_BOLD "/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf")
add_custom_command(OUTPUT "${GAME_DIR}/cool_image.png"
    COMMAND "${CMAKE_SOURCE_DIR}/tools/make-icon" "${CMAKE_SOURCE_DIR}/data/sprites/Door.txt" 6
            "${DEJAVU_MONO_BOLD}" "${GAME_DIR}/cool_image.png"
    DEPENDS "${CMAKE_SOURCE_DIR}/data/sprites/Door.txt" "${CMAKE_SOURCE_DIR}/tools/make-icon" VERBATIM)

# The program only checks that this file exists.
add_custom_command(OUTPUT "${GAME_DIR}/important/LoadBearingMeasuringTape.jpg"
    COMMAND ${IMAGEMAGICK_CONVERT} -size 64x16 xc:#f2c230 -fill "#222222" -draw "rectangle 0,12 63,15"
            -strip "${GAME_DIR}/important/LoadBearingMeasuringTape.jpg"
    VERBATIM)
file(MAKE_DIRECTORY "${GAME_DIR}/important" "${GAME_DIR}/sprites")

list(APPEND GAME_DATA_OUTPUTS "${GAME_DIR}/font-fixed-v3.ttf" "${GAME_DIR}/cool_image.png"
    "${GAME_DIR}/important/LoadBearingMeasuringTape.jpg")
include("${CMAKE_SOURCE_DIR}/cmake/GameVoices.cmake")
add_custom_target(game_data ALL DEPENDS ${GAME_DATA_OUTPUTS})

if(EXISTS "${CMAKE_SOURCE_DIR}/cmake/GameAudio.cmake")
    include("${CMAKE_SOURCE_DIR}/cmake/GameAudio.cmake")
endif()
