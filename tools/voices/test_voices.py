"""Checks of the voice renderer: text clean-up, which clips a script needs, and, when the
synthesisers are installed, a real render of a tiny script (format, caching, determinism).
    python3 -m unittest -v test_voices       (from tools/voices)"""

import os
import subprocess
import tempfile
import unittest
import wave

import voices

SCRIPT = """\
@ 0
Door: Hello? Is anybody there?
@ 32
Door: Is this the village?
Door: ...
Brown Door: It is, friend. Mind the draught.
@ 121
Door: Never played.
@ 126
Door: Never played either.
"""


def write(path, text):
    with open(path, "w", encoding="ascii") as handle:
        handle.write(text)


def read(path):
    with open(path, "rb") as handle:
        return handle.read()


class Speakable(unittest.TestCase):
    def test_cleans_up_what_a_synthesiser_would_spell_or_skip(self):
        cases = {
            "WHY AM I A DOOR\nWHAT": "why am I a door, what",
            "Well. The door returns.\nOr not.": "Well. The door returns. Or not.",
            "Hmmm... Shh! Psst, over here.": "hum... shush! hist, over here.",
            "Nooooo!!!!!": "Noo!!!",
            "Me & you -- *always*": "Me and you, always",
        }
        for text, spoken in cases.items():
            self.assertEqual(voices.speakable(text), spoken)

    def test_a_page_without_words_has_nothing_to_say(self):
        for text in ("", "...", "?!", "  - "):
            self.assertIsNone(voices.speakable(text))


class Plan(unittest.TestCase):
    def test_played_pages_with_words_and_the_quiz(self):
        with tempfile.TemporaryDirectory() as tmp:
            write(os.path.join(tmp, "script.txt"), SCRIPT)
            clips = voices.plan(os.path.join(tmp, "script.txt"))
        self.assertEqual(sorted(clips), ["0_0.mp3", "32_0.mp3", "32_2.mp3",
                                         "q1.mp3", "q2.mp3", "q3.mp3", "q4.mp3", "q5.mp3"])
        self.assertEqual(clips["32_2.mp3"], ("Brown Door", "It is, friend. Mind the draught."))
        self.assertEqual(clips["q4.mp3"], ("Narrator", "What is the air speed of an unladen swallow?"))

    def test_every_speaker_has_a_voice(self):
        self.assertEqual(set(voices.cast.CAST), set(voices.hwscript.SPEAKERS))


def peak_and_format(path, scratch):
    decoded = os.path.join(scratch, "decoded.wav")
    subprocess.run(["lame", "--quiet", "--decode", path, decoded], check=True)
    with wave.open(decoded, "rb") as handle:
        fmt = (handle.getnchannels(), handle.getframerate(), handle.getnframes() / handle.getframerate())
    return voices._levels(decoded)[1], fmt


@unittest.skipIf(voices.missing_tools(), "synthesisers not installed: " + "; ".join(voices.missing_tools()))
class Render(unittest.TestCase):
    def test_render_cache_and_clean_up(self):
        with tempfile.TemporaryDirectory() as tmp:
            script, out, work = (os.path.join(tmp, name) for name in ("script.txt", "out", "work"))
            write(script, SCRIPT)
            os.makedirs(out)
            write(os.path.join(out, "caw_12_death.mp3"), "another tool's sound")
            quiet = lambda *_: None  # noqa: E731

            self.assertEqual(voices.build(script, out, work, 2, log=quiet), (8, 0, 0))
            for name in ("0_0.mp3", "32_2.mp3", "q5.mp3"):
                peak, (channels, rate, seconds) = peak_and_format(os.path.join(out, name), tmp)
                self.assertEqual((channels, rate), (1, 22050))
                self.assertGreater(seconds, 0.5)
                self.assertLessEqual(peak, voices.PEAK)
            first = {name: read(os.path.join(out, name)) for name in os.listdir(out)}

            # Nothing changed: nothing is rendered.
            self.assertEqual(voices.build(script, out, work, 2, log=quiet), (0, 8, 0))
            # One page changed and one gone: one clip rendered, one removed, the rest kept.
            write(script, SCRIPT.replace("Hello? Is anybody there?", "Hello?").replace(
                "Brown Door: It is, friend. Mind the draught.\n", ""))
            self.assertEqual(voices.build(script, out, work, 2, log=quiet), (1, 6, 1))
            self.assertFalse(os.path.exists(os.path.join(out, "32_2.mp3")))
            self.assertEqual(read(os.path.join(out, "caw_12_death.mp3")), b"another tool's sound")
            self.assertEqual(read(os.path.join(out, "32_0.mp3")), first["32_0.mp3"])

            # The same input gives the same bytes, whatever the cache holds.
            again = os.path.join(tmp, "again")
            write(script, SCRIPT)
            voices.build(script, again, os.path.join(tmp, "work2"), 1, log=quiet)
            for name in os.listdir(again):
                self.assertEqual(read(os.path.join(again, name)), first[name], name)


if __name__ == "__main__":
    unittest.main()
