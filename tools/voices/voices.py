"""Speaks the game's script: one MP3 clip per page of every dialogue the game can play, plus the
quiz questions, each in its speaker's voice (see cast.py and README.md).

Clips are cached: a manifest in the work folder records, per clip, a hash of everything that
makes it (this file, the speaker's recipe, the text). A run renders only clips whose hash
changed or whose file is missing, and deletes clips of pages that no longer exist."""

import argparse
import array
import concurrent.futures
import hashlib
import json
import math
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import wave

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(HERE, "..", "script"))
import cast  # noqa: E402
import hwscript  # noqa: E402

# Dialogues the game can start; 121, 122 and everything above 125 never play.
PLAYED = [n for n in range(0, 126) if n not in (121, 122)]
QUIZ = [
    "What is your name?",
    "What is your quest?",
    "What is your favorite color?",
    "What is the air speed of an unladen swallow?",
    "African or European?",
]
QUIZ_SPEAKER = "Narrator"

RATE = 22050
TARGET_LEVEL = -18.0  # dBFS, average level of the speech itself (pauses left out)
PEAK = -3.0  # dBFS, highest sample allowed
PAUSE = 0.4  # seconds, the longest pause within a clip unless the speaker's recipe says otherwise
LAME = ["lame", "--quiet", "--noreplaygain", "-m", "m", "--resample", "22.05", "-V", "7"]
# Names this tool owns in the output folder; anything else there (other sounds) is left alone.
CLIP_NAME = re.compile(r"^(\d+_\d+|q\d+)\.mp3$")
MANIFEST = "manifest.json"

PROGRAMS = {"sox": "sox", "lame": "lame", "flite": "flite", "text2wave": "festival"}


class VoiceError(Exception):
    pass


# ---------------------------------------------------------------------------------------------
# Text: what the synthesisers are given for a page.

# Words the synthesisers would spell out letter by letter, as something they can say.
_SOUNDS = {
    "hm": "hum", "hmm": "hum", "mm": "hum", "mmm": "hum", "mhm": "uh huh", "mmhm": "uh huh",
    "sh": "shush", "shh": "shush", "pst": "hist", "psst": "hist", "zz": "snore", "zzz": "snore",
    "br": "burr", "brr": "burr", "gr": "grr", "grr": "gurr", "tsk": "tisk", "hmph": "humph",
    "pff": "puff", "pfft": "puff", "ahh": "ah", "ohh": "oh", "uhh": "uh", "ehh": "eh",
}
_WORD = re.compile(r"[A-Za-z]+(?:'[A-Za-z]+)*")


def _say_word(match):
    word = match.group(0)
    if word.isupper() and word != "I":
        word = word.lower()  # shouting is spoken, not spelled; "A" is the article, not the letter
    word = re.sub(r"([A-Za-z])\1{2,}", r"\1\1", word)  # "Nooooo" -> "Noo"
    return _SOUNDS.get(word.lower(), word)


def speakable(text):
    """The page's text as it is spoken, or None when there is nothing to say."""
    # A line break the writer put in is a pause, unless the line ends in punctuation already.
    text = re.sub(r"(?<![.,!?;:])\n", ", ", text).replace("\n", " ")
    text = text.replace("&", " and ").replace("%", " percent ").replace("+", " plus ")
    text = text.replace("=", " equals ").replace("@", " at ").replace("/", " ")
    text = re.sub(r"\s*--+\s*|\s+-+\s+", ", ", text)
    text = re.sub(r"[*_~^|<>\[\]{}`\\\"#$]", " ", text)
    text = re.sub(r"([!?.])\1{3,}", r"\1\1\1", text)
    text = _WORD.sub(_say_word, text)
    text = " ".join(text.split())
    return text if re.search(r"[A-Za-z0-9]", text) else None


# ---------------------------------------------------------------------------------------------
# What to render.


def plan(script_path):
    """Every clip the script needs: {file name: (speaker, spoken text)}."""
    dialogues = {d.number: d for d in hwscript.parse(script_path)}
    clips = {}
    for number in PLAYED:
        dialogue = dialogues.get(number)
        for index, page in enumerate(dialogue.pages if dialogue else []):
            text = speakable(page.text)
            if text:
                clips[f"{number}_{index}.mp3"] = (page.speaker, text)
    for index, question in enumerate(QUIZ, start=1):
        clips[f"q{index}.mp3"] = (QUIZ_SPEAKER, speakable(question))
    return clips


def _code_hash():
    digest = hashlib.sha256()
    with open(os.path.abspath(__file__), "rb") as handle:
        digest.update(handle.read())
    return digest.hexdigest()


def clip_key(code, speaker, text):
    recipe = cast.CAST[speaker]
    blob = json.dumps({"code": code, "recipe": recipe, "text": text}, sort_keys=True)
    return hashlib.sha256(blob.encode()).hexdigest()


# ---------------------------------------------------------------------------------------------
# Rendering one clip.


def _run(command, what):
    result = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
    if result.returncode != 0:
        raise VoiceError(f"{what}: {' '.join(command)} failed:\n{result.stderr.strip()}")
    return result


def _synth_command(engine, voice, settings, text_path, out_path):
    if engine == "flite":
        command = ["flite", "-voice", voice]
        for feature, value in sorted(settings.items()):
            command += ["--setf", f"{feature}={value}"]
        return command + ["-f", text_path, "-o", out_path]
    if engine == "festival":
        command = ["text2wave", "-eval", f"(voice_{voice})"]
        for form in settings:
            command += ["-eval", form]
        return command + [text_path, "-o", out_path]
    raise VoiceError(f"unknown synthesiser {engine}")


def _synthesise(synth, text_path, out_path, what):
    engine, voice, settings = synth
    try:
        _run(_synth_command(engine, voice, settings, text_path, out_path), what)
    except VoiceError:
        if engine != "festival" or not settings:
            raise
        # Festival's diphone engine can crash on some pitch contours; the voice's own settings
        # are the fallback (a text that crashes always does, so the result stays the same).
        print(f"render-voices: {what}: festival failed with the speaker's settings; "
              "using the voice's defaults", file=sys.stderr)
        _run(_synth_command(engine, voice, [], text_path, out_path), what)
    if not os.path.exists(out_path) or os.path.getsize(out_path) <= 44:
        raise VoiceError(f"{what}: {engine} voice {voice} produced no sound")


def _sox(inputs, output, effects, what, bits="float"):
    encoding = ["-e", "floating-point", "-b", "32"] if bits == "float" else ["-e", "signed-integer", "-b", "16"]
    # -R: fixed seeds; -D: no dither. Both keep the output byte-identical from run to run.
    _run(["sox", "-R", "-D", *inputs, *encoding, output, *effects], what)


def _levels(path):
    """(speech level, peak) in dBFS of a 16-bit mono WAV. The speech level is the mean power
    of the 20 ms frames within 20 dB of the loudest one, so pauses do not count."""
    with wave.open(path, "rb") as handle:
        rate = handle.getframerate()
        samples = array.array("h", handle.readframes(handle.getnframes()))
    if sys.byteorder != "little":
        samples.byteswap()
    size = max(1, rate // 50)
    powers = []
    for start in range(0, len(samples), size):
        frame = samples[start:start + size]
        powers.append(sum(s * s for s in frame) / len(frame))
    peak = max((abs(s) for s in samples), default=0)
    if not powers or max(powers) <= 0:
        return None, None
    floor = max(powers) * 10 ** (-20 / 10)
    loud = [p for p in powers if p >= floor]
    level = 10 * math.log10(sum(loud) / len(loud) / 32768.0**2)
    return level, 20 * math.log10(peak / 32768.0)


def _tidy_pauses(source, target, longest, threshold_db=-36.0):
    """Copies a 16-bit mono WAV (peak at -6 dBFS) with its pauses tidied. A pause is a run of at
    least 150 ms of 10 ms frames whose peak stays below the threshold (30 dB under the peak).
    Pauses are silenced, with 20 ms ramps so that word endings and onsets stay (some voices hum
    faintly in them), and those inside the clip are shortened to `longest` seconds by cutting
    out their middle. (sox's silence effect leaves stray bits of audio at the end when it keeps
    pauses, so this is done here.)"""
    with wave.open(source, "rb") as handle:
        params = handle.getparams()
        samples = array.array("h", handle.readframes(handle.getnframes()))
    if sys.byteorder != "little":
        samples.byteswap()
    frame = params.framerate // 100
    limit = 32768 * 10 ** (threshold_db / 20)
    quiet = [max(map(abs, samples[i:i + frame]), default=0) < limit for i in range(0, len(samples), frame)]
    keep = int(longest * 100) // 2 * frame  # samples kept at each side of a long pause
    ramp = 2 * frame
    runs = []
    index = 0
    while index < len(quiet):
        end = index
        while end < len(quiet) and quiet[end]:
            end += 1
        if end - index >= 15:
            runs.append((index * frame, min(end * frame, len(samples)), index > 0 and end < len(quiet)))
        index = max(end, index + 1)
    out = array.array("h")
    position = 0
    for first, last, inside in runs:
        out.extend(samples[position:first])
        length = last - first
        if inside and length > 2 * keep:
            length = 2 * keep
        gains = [max(0.0, 1 - k / ramp, 1 - (length - 1 - k) / ramp) for k in range(length)]
        head = samples[first:first + length // 2]
        tail = samples[last - (length - length // 2):last]
        out.extend(int(round(v * g)) for v, g in zip(list(head) + list(tail), gains))
        position = last
    out.extend(samples[position:])
    if sys.byteorder != "little":
        out.byteswap()
    with wave.open(target, "wb") as handle:
        handle.setparams(params)
        handle.writeframes(out.tobytes())


def render_clip(speaker, text, output, scratch):
    """Speaks `text` in `speaker`'s voice into the MP3 file `output` (written atomically)."""
    recipe = cast.CAST[speaker]
    what = f"{os.path.basename(output)} ({speaker})"
    with tempfile.TemporaryDirectory(dir=scratch) as tmp:
        path = lambda name: os.path.join(tmp, name)  # noqa: E731
        with open(path("text.txt"), "w", encoding="ascii", errors="replace") as handle:
            handle.write(text + "\n")
        _synthesise(recipe["synth"], path("text.txt"), path("raw.wav"), what)
        # (the high-pass drops the DC some voices leave in their pauses)
        _sox([path("raw.wav")], path("even.wav"), ["channels", "1", "highpass", "40", "gain", "-n", "-6"],
             what, bits=16)
        # The synthesisers' pauses between sentences drag in a dialogue box.
        _tidy_pauses(path("even.wav"), path("capped.wav"), recipe.get("pause", PAUSE))
        start = list(recipe.get("voice", []))
        _sox([path("capped.wav")], path("dry.wav"), start, what)
        inputs = ["-v", "1", path("dry.wav")]
        for index, (gain, delay, effects) in enumerate(recipe.get("layers", [])):
            layer = path(f"layer{index}.wav")
            _sox([path("capped.wav")], layer, start + list(effects) + ["pad", f"{delay}"], what)
            inputs += ["-v", f"{10 ** (gain / 20):.4f}", layer]
        mixed = path("dry.wav")
        if len(inputs) > 3:
            mixed = path("mix.wav")
            _sox(["-m", *inputs], mixed, [], what)
        tail = list(recipe.get("space", [])) + [
            "highpass", "40", "rate", "-v", str(RATE), "gain", "-n", "-6",
            # a gentle compressor (2.5:1 above -30 dB, 3 ms look-ahead) evens out the loudness
            "compand", "0.003,0.12", "-70,-70,-30,-30,0,-12", "0", "-90", "0.003", "gain", "-n", "-6",
            # and a fast limiter shaves the top 3 dB off the peaks of low, buzzy voices
            "compand", "0,0.05", "-70,-70,-12,-12,-6,-9", "0", "-90", "0.002", "gain", "-n", "-6",
            # trim silence at both ends, soften the cuts, then leave a breath of silence
            "silence", "1", "0.02", "-50d", "reverse", "silence", "1", "0.02", "-50d",
            "fade", "q", "0.03", "reverse", "fade", "q", "0.01", "pad", "0.03", "0.06",
        ]
        _sox([mixed], path("shaped.wav"), tail, what, bits=16)
        level, peak = _levels(path("shaped.wav"))
        if level is None:
            raise VoiceError(f"{what}: the voice came out silent")
        gain = min(TARGET_LEVEL - level, PEAK - peak)
        for _ in range(3):
            _run(LAME + ["--scale", f"{10 ** (gain / 20):.4f}", path("shaped.wav"), path("clip.mp3")], what)
            # The encoder can overshoot the peak a little; decode and check.
            _run(["lame", "--quiet", "--decode", path("clip.mp3"), path("check.wav")], what)
            _, encoded_peak = _levels(path("check.wav"))
            if encoded_peak <= PEAK:
                break
            gain -= encoded_peak - PEAK + 0.1
        os.replace(path("clip.mp3"), output + ".part")
    os.replace(output + ".part", output)


def _render_job(job):
    name, speaker, text, out_dir, scratch = job
    output = os.path.join(out_dir, name)
    try:
        render_clip(speaker, text, output, scratch)
    except VoiceError as error:
        return name, str(error)
    return name, None


# ---------------------------------------------------------------------------------------------
# Checks, the cache and the command line.


def missing_tools():
    """What is not installed, as readable lines naming the Debian package to install."""
    problems = []
    for program, package in PROGRAMS.items():
        if shutil.which(program) is None:
            problems.append(f"program '{program}' is missing (Debian package {package})")
    if shutil.which("flite"):
        listed = subprocess.run(["flite", "-lv"], stdout=subprocess.PIPE, text=True).stdout.split()
    else:
        listed = []
    for speaker, recipe in cast.CAST.items():
        engine, voice, _ = recipe["synth"]
        package = cast.PACKAGES.get((engine, voice), "?")
        if engine == "flite" and shutil.which("flite") and voice not in listed:
            problems.append(f"flite voice '{voice}' for {speaker} is missing (Debian package {package})")
        if engine == "festival" and not _festival_has(voice):
            problems.append(f"festival voice '{voice}' for {speaker} is missing (Debian package {package})")
    return sorted(set(problems))


def _festival_has(voice):
    for root in ("/usr/share/festival/voices", "/usr/local/share/festival/voices"):
        if os.path.isdir(root) and any(os.path.isdir(os.path.join(root, lang, voice)) for lang in os.listdir(root)):
            return True
    return False


def _load_manifest(path):
    try:
        with open(path, encoding="utf-8") as handle:
            return json.load(handle)
    except (OSError, ValueError):
        return {}


def _save_manifest(path, manifest):
    with open(path + ".tmp", "w", encoding="utf-8") as handle:
        json.dump(manifest, handle, indent=1, sort_keys=True)
        handle.write("\n")
    os.replace(path + ".tmp", path)


def build(script_path, out_dir, work_dir, jobs, log=print):
    """Brings out_dir up to date with the script. Returns (rendered, kept, removed)."""
    started = time.monotonic()
    clips = plan(script_path)
    unknown = sorted({speaker for speaker, _ in clips.values()} - set(cast.CAST))
    if unknown:
        raise VoiceError("no voice for " + ", ".join(unknown))
    os.makedirs(out_dir, exist_ok=True)
    os.makedirs(work_dir, exist_ok=True)
    manifest_path = os.path.join(work_dir, MANIFEST)
    old = _load_manifest(manifest_path)
    code = _code_hash()

    manifest, todo = {}, []
    for name, (speaker, text) in sorted(clips.items()):
        key = clip_key(code, speaker, text)
        entry = {"key": key, "speaker": speaker, "text": text}
        if old.get(name, {}).get("key") == key and os.path.isfile(os.path.join(out_dir, name)):
            manifest[name] = entry
        else:
            todo.append((name, speaker, text))

    removed = 0
    for name in sorted(os.listdir(out_dir)):
        if (CLIP_NAME.match(name) and name not in clips) or name.endswith(".mp3.part"):
            os.remove(os.path.join(out_dir, name))
            removed += CLIP_NAME.match(name) is not None
    if not todo:
        _save_manifest(manifest_path, manifest)
        log(f"voices: {len(manifest)} clips up to date, {removed} removed")
        return 0, len(manifest), removed

    problems = missing_tools()
    if problems:
        raise VoiceError("cannot speak the script:\n  " + "\n  ".join(problems))
    scratch = os.path.join(work_dir, "tmp")
    os.makedirs(scratch, exist_ok=True)
    log(f"voices: rendering {len(todo)} of {len(clips)} clips with {jobs} jobs")
    # Longest texts first, so that no long clip is left alone at the end.
    todo.sort(key=lambda item: (-len(item[2]), item[0]))
    failures = []
    done = 0
    with concurrent.futures.ProcessPoolExecutor(max_workers=jobs) as pool:
        work = [(name, speaker, text, out_dir, scratch) for name, speaker, text in todo]
        for name, error in pool.map(_render_job, work):
            done += 1
            if error:
                failures.append(error)
                continue
            speaker, text = clips[name]
            manifest[name] = {"key": clip_key(code, speaker, text), "speaker": speaker, "text": text}
            if done % 50 == 0:
                _save_manifest(manifest_path, manifest)  # an interrupted run keeps what it made
                log(f"voices: {done}/{len(todo)}")
    _save_manifest(manifest_path, manifest)
    if failures:
        raise VoiceError(f"{len(failures)} clips failed; the first:\n{failures[0]}")
    log(f"voices: {len(todo)} rendered, {len(manifest) - len(todo)} kept, {removed} removed "
        f"in {time.monotonic() - started:.1f} s")
    return len(todo), len(manifest) - len(todo), removed


def main(argv=None):
    parser = argparse.ArgumentParser(
        description="Renders a voice clip for every page of the script (see tools/voices/README.md).")
    parser.add_argument("--script", help="the script file (data/script/dialogue.txt)")
    parser.add_argument("--out", help="folder of the clips (the game's dialog/ folder)")
    parser.add_argument("--work", help="folder for the manifest and scratch files (default: OUT/../voices-work)")
    parser.add_argument("--jobs", type=int, default=os.cpu_count() or 1)
    parser.add_argument("--check", action="store_true", help="only check that every program and voice is installed")
    parser.add_argument("--say", nargs=3, metavar=("SPEAKER", "TEXT", "OUT.mp3"),
                        help="speak one line in a speaker's voice, to listen to it")
    args = parser.parse_args(argv)
    try:
        if args.check:
            problems = missing_tools()
            for problem in problems:
                print(f"render-voices: {problem}", file=sys.stderr)
            return 1 if problems else 0
        if args.say:
            speaker, text, output = args.say
            if speaker not in cast.CAST:
                raise VoiceError(f"unknown speaker '{speaker}'; one of: " + ", ".join(cast.CAST))
            problems = missing_tools()
            if problems:
                raise VoiceError("\n  ".join(["cannot speak:"] + problems))
            if not speakable(text):
                raise VoiceError("there is nothing to say in that text")
            with tempfile.TemporaryDirectory() as scratch:
                render_clip(speaker, speakable(text), os.path.abspath(output), scratch)
            return 0
        if not args.script or not args.out:
            parser.error("--script and --out are needed (or --check, or --say)")
        work = args.work or os.path.join(os.path.dirname(os.path.abspath(args.out)), "voices-work")
        build(args.script, args.out, work, max(1, args.jobs))
    except (OSError, hwscript.ScriptError, VoiceError) as error:
        print(f"render-voices: {error}", file=sys.stderr)
        return 1
    return 0
