"""The cast: how each speaker of the script is voiced.

Each recipe names a synthesiser voice with its settings ("synth"), the sox effects that shape
the dry voice ("voice"), the longest pause it keeps between phrases ("pause", seconds;
0.4 when not given), optional extra copies of the dry voice mixed under it ("layers": gain
in dB, delay in seconds, sox effects), and the effects applied to the mix ("space"). A clip is
re-rendered when its recipe changes, so edit one speaker and only that speaker's clips are redone.

Synthesisers:
  ("flite", VOICE, {feature: value})   flite's built-in voices: kal, kal16, awb, rms, slt
  ("festival", VOICE, [scheme, ...])  festival's voices; the forms run after the voice is chosen
"""

# Debian packages behind each synthesiser voice, for the error message when one is missing.
PACKAGES = {
    ("flite", "kal16"): "flite",
    ("flite", "awb"): "flite",
    ("flite", "rms"): "flite",
    ("flite", "slt"): "flite",
    ("festival", "cmu_us_slt_arctic_hts"): "festvox-us-slt-hts",
    ("festival", "kal_diphone"): "festvox-kallpc16k",
}


def _diphone(f0_mean, f0_std, stretch):
    """Festival's diphone voices take their pitch from these targets."""
    return [
        f"(set! int_lr_params '((target_f0_mean {f0_mean}) (target_f0_std {f0_std})"
        " (model_f0_mean 170) (model_f0_std 34)))",
        f"(Parameter.set 'Duration_Stretch {stretch})",
    ]


def _hts_rate(rate):
    return [f"(set! hts_engine_params (append hts_engine_params (list '(\"-r\" {rate}))))"]


CAST = {
    # The player: the most natural voice we have, a little quick and bright (nervous).
    "Door": {
        "synth": ("festival", "cmu_us_slt_arctic_hts", _hts_rate(1.07)),
        "voice": ["highpass", "90", "equalizer", "3200", "1.2q", "+2"],
    },
    # The same door answering itself: a touch lower, darker and further away.
    "Door (right)": {
        "synth": ("festival", "cmu_us_slt_arctic_hts", _hts_rate(0.98)),
        "voice": ["highpass", "90", "pitch", "-100", "lowpass", "4200"],
        "space": ["reverb", "30", "60", "35", "100", "12", "-6"],
    },
    # A villager: plain, friendly, middle-aged. The clearest male voice, its formants and pitch
    # lifted 7 % (to about 110 Hz) so that it sounds like somebody else than the narrator. (flite's
    # rms voice ignores pitch settings; the diphone voice this speaker had lost half its words.)
    "Brown Door": {
        "synth": ("flite", "rms", {"duration_stretch": 1.05}),
        "voice": ["highpass", "80", "pitch", "120", "bass", "+2", "200", "equalizer", "2800", "1q", "+3"],
    },
    # Old planks: slow, with the hollow, boxy ring of a wooden body (short comb echoes) and
    # the small room a bridge deck makes.
    "Bridge": {
        "pause": 0.5,
        "synth": ("festival", "kal_diphone", _diphone(100, 14, 1.1)),
        "voice": ["highpass", "100", "equalizer", "260", "0.9q", "+6",
                  "equalizer", "750", "1.5q", "+4", "equalizer", "3500", "1q", "-4",
                  "echo", "0.8", "0.75", "4.3", "0.35", "9.1", "0.25", "13.7", "0.15"],
        "space": ["reverb", "25", "70", "12", "100", "0", "-8"],
    },
    # Huge: a low, slow voice with a heavy low end and a cave around it. Its size comes from
    # pitch, pace and room only: lowered formants and a long tail made most of its words unclear.
    "Dragon": {
        "synth": ("flite", "kal16", {"int_f0_target_mean": 82, "int_f0_target_stddev": 14,
                                      "duration_stretch": 1.25}),
        "voice": ["highpass", "70", "bass", "+2", "120", "equalizer", "3000", "1q", "+4"],
        "space": ["reverb", "15", "60", "30", "100", "0", "-10"],
    },
    # Something that should not be there: a flat voice doubled by two detuned copies and a
    # breathy, high-passed shadow, with a reverb that swells in before the words. The copies
    # and the swell stay well under the voice, or the words drown in them.
    "Unknown": {
        "synth": ("flite", "slt", {"int_f0_target_mean": 150, "int_f0_target_stddev": 6,
                                    "duration_stretch": 1.12}),
        "voice": ["highpass", "120", "equalizer", "2800", "1q", "+3"],
        "layers": [
            (-8, 0.021, ["pitch", "45"]),
            (-9, 0.037, ["pitch", "-60"]),
            (-12, 0.0, ["highpass", "2800", "tremolo", "7", "60"]),
        ],
        "space": ["reverse", "reverb", "30", "40", "30", "100", "0", "-10", "reverse"],
    },
    # A storybook narrator: clear, measured, close.
    "Narrator": {
        "pause": 0.6,
        "synth": ("flite", "rms", {"duration_stretch": 1.08}),
        "voice": ["highpass", "70", "equalizer", "3000", "1q", "+2"],
        "space": ["reverb", "12", "60", "20", "100", "0", "-10"],
    },
    # Grand, old, theatrical: wide swings of pitch, unhurried, a slight shake in the voice and
    # the small stone room of a tower. (Pitched far below the voice's own 120 Hz, with a deep
    # shake and a big room, a third of his words got lost.)
    "Wizard": {
        "pause": 0.5,
        "synth": ("flite", "awb", {"int_f0_target_mean": 112, "int_f0_target_stddev": 30,
                                    "duration_stretch": 1.05}),
        "voice": ["highpass", "80", "tremolo", "5", "4", "equalizer", "2800", "1q", "+3"],
        "space": ["reverb", "8", "60", "20", "100", "0", "-10"],
    },
    # Shrill and vain: high, quick, bright, a hint of grit. Its height comes from the
    # synthesiser's pitch alone; a formant shift on top and a rush made it hard to follow.
    "Eagle": {
        "synth": ("flite", "slt", {"int_f0_target_mean": 280, "int_f0_target_stddev": 55,
                                    "duration_stretch": 0.92}),
        "voice": ["highpass", "150", "equalizer", "3000", "1q", "+3",
                  "overdrive", "1.5", "0", "highpass", "150"],
    },
    # Slow, deep, solemn: a low monotone, far slower than anyone else, with a short ring of
    # stone. (A large hall's tail filled the long pauses and blurred the words after them.)
    "Big Door": {
        "pause": 0.7,
        "synth": ("flite", "kal16", {"int_f0_target_mean": 74, "int_f0_target_stddev": 6,
                                      "duration_stretch": 1.4}),
        "voice": ["highpass", "60", "bass", "+2", "110", "equalizer", "2800", "1q", "+4"],
        "space": ["reverb", "15", "60", "30", "100", "0", "-10"],
    },
}
