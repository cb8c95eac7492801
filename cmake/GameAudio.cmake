# The game's music and sound effects. Each file is rendered from a text score by
# hingewalk-synth (tools/synth) into ${CMAKE_BINARY_DIR}/audio-work and then encoded with
# lame into ${GAME_DIR}. Rendering uses fixed seeds, so the same scores give the same bytes.
#
# How the game loops music decides how each track is laid out:
#  - An MP3 with lame's Info header loops from sample 1105 (the encoder's 576-sample delay
#    plus the decoder's 529) to the end. The synth puts the loop's last 1105 samples in
#    front of one whole loop ("--preroll 1105"), so the looped span is exactly the loop.
#  - An MP3 written with "lame -t" has no header; the game loops from the first to the
#    last sample that is not near-silent. Its score starts and ends on a quiet hum.
#  - A WAV loops as a whole, so it holds exactly one loop (mono, 22050 Hz, to stay small).
find_program(LAME_EXECUTABLE lame)
if(NOT LAME_EXECUTABLE)
    message(FATAL_ERROR "The game's audio is encoded with 'lame', which was not found "
                        "(Debian package: lame).")
endif()

set(AUDIO_WORK_DIR "${CMAKE_BINARY_DIR}/audio-work")
set(AUDIO_INSTRUMENTS "${CMAKE_SOURCE_DIR}/data/music/instruments.txt")
# --resample pins the rate: at low bitrates lame would otherwise resample on its own,
# which changes the sample counts the loop points rely on.
set(LAME_MUSIC_OPTIONS --quiet --noreplaygain -m m -V 6 --resample 44.1)
set(LAME_EFFECT_OPTIONS --quiet --noreplaygain -m m -V 5 --resample 44.1)
set(GAME_AUDIO_OUTPUTS "")
file(MAKE_DIRECTORY "${AUDIO_WORK_DIR}" "${GAME_DIR}/music" "${GAME_DIR}/sfx" "${GAME_DIR}/dialog")

# kind is one of:
#   music      looping MP3 with lame's header (preroll of 1105 samples)
#   music-trim looping MP3 without a header, found by trimming silence
#   music-wav  looping WAV, mono 22050 Hz
#   effect     one-shot MP3
function(hingewalk_audio kind score output)
    get_filename_component(stem "${output}" NAME_WE)
    get_filename_component(folder "${output}" DIRECTORY)
    set(work "${AUDIO_WORK_DIR}/${folder}-${stem}.wav")
    set(target "${GAME_DIR}/${output}")
    set(synth $<TARGET_FILE:hingewalk-synth> "${score}")
    # The check fails the build (and removes the file) if the encoder's header does not match
    # the layout the game's loop points expect.
    set(check $<TARGET_FILE:hingewalk-synth> --check-mp3 "${target}" "${work}")
    if(kind STREQUAL "music")
        set(commands
            COMMAND ${synth} "${work}" --rate 44100 --channels 1 --preroll 1105 --peak -2
            COMMAND "${LAME_EXECUTABLE}" ${LAME_MUSIC_OPTIONS} "${work}" "${target}"
            COMMAND ${check})
    elseif(kind STREQUAL "music-trim")
        set(commands
            COMMAND ${synth} "${work}" --rate 44100 --channels 1 --peak -2
            COMMAND "${LAME_EXECUTABLE}" -t ${LAME_MUSIC_OPTIONS} "${work}" "${target}"
            COMMAND ${check} --no-header)
    elseif(kind STREQUAL "music-wav")
        set(work "")
        set(commands COMMAND ${synth} "${target}" --rate 22050 --channels 1 --peak -1.2)
    elseif(kind STREQUAL "effect")
        set(commands
            COMMAND ${synth} "${work}" --rate 44100 --channels 1 --peak -2
            COMMAND "${LAME_EXECUTABLE}" ${LAME_EFFECT_OPTIONS} "${work}" "${target}")
    else()
        message(FATAL_ERROR "hingewalk_audio: unknown kind '${kind}'")
    endif()
    set(inputs "${score}")
    if(NOT kind STREQUAL "effect")
        list(APPEND inputs "${AUDIO_INSTRUMENTS}") # the music scores include it
    endif()
    add_custom_command(OUTPUT "${target}"
        ${commands}
        BYPRODUCTS ${work}
        DEPENDS ${inputs} hingewalk-synth
        COMMENT "Rendering ${output}"
        VERBATIM)
    set(GAME_AUDIO_OUTPUTS ${GAME_AUDIO_OUTPUTS} "${target}" PARENT_SCOPE)
endfunction()

set(MUSIC "${CMAKE_SOURCE_DIR}/data/music")
set(SFX "${CMAKE_SOURCE_DIR}/data/sfx")

hingewalk_audio(music      "${MUSIC}/MainIsland.txt"        music/MainIsland.mp3)
hingewalk_audio(music      "${MUSIC}/Title.txt"             music/Title.mp3)
hingewalk_audio(music      "${MUSIC}/Bridge.txt"            music/Bridge.mp3)
hingewalk_audio(music-wav  "${MUSIC}/BridgeLegacy.txt"      music/Bridge.wav)
hingewalk_audio(music-wav  "${MUSIC}/MagicBridge.txt"       music/MagicBridge.wav)
hingewalk_audio(music      "${MUSIC}/DragonFight.txt"       music/DragonFight.mp3)
hingewalk_audio(music      "${MUSIC}/DragonFightLegacy.txt" music/DragonFightLegacy.mp3)
hingewalk_audio(music      "${MUSIC}/PreTower.txt"          music/PreTower.mp3)
hingewalk_audio(music      "${MUSIC}/PuzzleRoom.txt"        music/PuzzleRoom.mp3)
hingewalk_audio(music      "${MUSIC}/WizardTower.txt"       music/WizardTower.mp3)
hingewalk_audio(music      "${MUSIC}/EaglePrelude.txt"      music/EaglePrelude.mp3)
hingewalk_audio(music      "${MUSIC}/Cutscene.txt"          music/Cutscene.mp3)
hingewalk_audio(music-wav  "${MUSIC}/EagleFight.txt"        music/EagleFight.wav)
hingewalk_audio(music-wav  "${MUSIC}/DragonFight2.txt"      music/DragonFight2.wav)
hingewalk_audio(music-trim "${MUSIC}/PostDragon.txt"        music/PostDragon.mp3)

hingewalk_audio(effect "${SFX}/explosion.txt"     sfx/explosion.mp3)
hingewalk_audio(effect "${SFX}/knock.txt"         sfx/knock.mp3)
hingewalk_audio(effect "${SFX}/door_open.txt"     sfx/door_open.mp3)
hingewalk_audio(effect "${SFX}/door_close.txt"    sfx/door_close.mp3)
hingewalk_audio(effect "${SFX}/correct.txt"       sfx/correct.mp3)
hingewalk_audio(effect "${SFX}/boom.txt"          sfx/boom.mp3)
hingewalk_audio(effect "${SFX}/chicken.txt"       sfx/chicken.mp3)
hingewalk_audio(effect "${SFX}/chicken_leave.txt" sfx/chicken_leave.mp3)
hingewalk_audio(effect "${SFX}/caw_12_death.txt"  dialog/caw_12_death.mp3)

add_custom_target(game_audio ALL DEPENDS ${GAME_AUDIO_OUTPUTS})
