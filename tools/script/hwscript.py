"""Reads the game's script file (data/script/dialogue.txt); shared by the table generator, the
checker and the voice renderer. The format is described in data/script/README.md."""

import re
from dataclasses import dataclass, field

# Speaker numbers as the game's portrait table has them, by the names writers use.
SPEAKERS = {
    "Door": 0,
    "Door (right)": 1,
    "Brown Door": 2,
    "Bridge": 3,
    "Dragon": 4,
    "Unknown": 5,
    "Narrator": 6,
    "Wizard": 7,
    "Eagle": 8,
    "Big Door": 9,
}
NAMES = {number: name for name, number in SPEAKERS.items()}

WRAP_WIDTH = 62
MAX_LINES = 4


class ScriptError(Exception):
    """A problem in the script file; the message names the file and line."""


@dataclass
class Page:
    speaker: str
    text: str
    line: int


@dataclass
class Dialogue:
    number: int
    line: int
    pages: list = field(default_factory=list)

    def joined(self):
        """The text as the program holds it: pages joined with the page marker."""
        return "<b>".join(page.text for page in self.pages)


_HEADER = re.compile(r"^@\s*(\d+)\s*$")
_PAGE = re.compile(r"^([A-Za-z][A-Za-z ()]*):(?: (.*))?$")


def parse(path):
    """Returns the dialogues of the file, in file order. Raises ScriptError."""
    with open(path, encoding="utf-8") as handle:
        lines = handle.read().split("\n")
    dialogues = []
    seen = {}
    current = None

    def fail(number, message):
        raise ScriptError(f"{path}:{number}: {message}")

    for number, raw in enumerate(lines, start=1):
        line = raw.rstrip("\r").rstrip()
        if not line or line.startswith("//"):
            continue
        if not line.isascii():
            fail(number, "only ASCII characters can be drawn")
        header = _HEADER.match(line)
        if header:
            key = int(header.group(1))
            if key in seen:
                fail(number, f"dialogue {key} was already given on line {seen[key]}")
            seen[key] = number
            current = Dialogue(key, number)
            dialogues.append(current)
            continue
        if current is None:
            fail(number, "text before the first '@ N' line")
        if line[0] in " \t":
            if not current.pages:
                fail(number, "a continuation line needs a page above it")
            current.pages[-1].text += "\n" + line.strip()
            continue
        page = _PAGE.match(line)
        if not page or page.group(1) not in SPEAKERS:
            fail(number, "expected 'Speaker: text' with one of: " + ", ".join(SPEAKERS))
        text = (page.group(2) or "").strip()
        if "<b>" in text:
            fail(number, "write each page on its own line instead of '<b>'")
        current.pages.append(Page(page.group(1), text, number))
    for dialogue in dialogues:
        if not dialogue.pages:
            fail(dialogue.line, f"dialogue {dialogue.number} has no pages")
    return dialogues


def wrapped_lines(text, width=WRAP_WIDTH):
    """How many lines the dialogue box needs for a page: words wrap at `width`, explicit line
    breaks stay, and a word longer than the width stands alone."""
    count = 0
    for source in text.split("\n"):
        length = 0
        count += 1
        for word in source.split():
            if length and length + 1 + len(word) <= width:
                length += 1 + len(word)
            elif length:
                count += 1
                length = len(word)
            else:
                length = len(word)
    return count


# Who speaks page p of dialogue n: the game's rule table, repeated here so that writers get
# their answer without a build. The game's own table decides; a test compares the two.
def speaker(n, p):
    odd = p % 2 == 1
    if n < 8 or n > 124:
        return 0
    if n == 8:
        return 1 if odd else 0
    if n == 32:
        return 3 if p == 4 else 0 if p <= 1 else 2
    if n == 45:
        return 2 if p == 0 else 0 if p == 1 else 4
    if n == 46:
        return 4
    if n == 47:
        return 4 if p in (1, 2, 3, 4, 6, 8) else 0
    if n == 50:
        return 2 if p in (7, 12) else 5 if 8 <= p <= 11 else 0
    if n == 51:
        return 6
    if 52 <= n <= 56 or n in (64, 72):
        return 3 if odd else 0
    if n in (57, 59, 61, 65, 67, 69, 75):
        return 0 if odd else 3
    if n in (63, 71, 99):
        return 3
    if n == 81:
        return 8 if p == 1 else 2
    if n == 84:
        return 9 if odd else 0
    if n == 86:
        return 9
    if n == 90:
        return 7 if p in (0, 2, 4, 5, 6, 11, 13, 15, 17) else 0
    if n == 91:
        return 7 if p == 0 else 0
    if n in (93, 102):
        return 8 if p == 0 else 7 if p == 1 else 0
    if n in (94, 101, 114, 115):
        return 7 if p == 1 else 0
    if n == 95:
        return 3 if odd else 7
    if n in (97, 103, 106, 110):
        return 7
    if n == 98:
        return 3 if p == 1 else 7 if p == 2 else 0
    if n == 100:
        return 0 if odd else 7
    if n == 108:
        return 0 if p == 2 else 7
    if n == 111:
        return 8 if p == 0 else 7
    if n == 112:
        return 8
    if n == 113:
        return 7 if p in (1, 3, 7, 9, 11, 13, 14) else 8 if p in (5, 10) else 0
    if n == 116:
        return 4 if p in (0, 2, 3, 4, 6, 8) else 7 if p == 7 else 0
    if n == 117:
        return 0 if p == 2 else 4
    if n == 118:
        return 7 if p == 1 else 4
    if n == 120:
        return 0 if p in (2, 5) else 7
    if n == 123:
        return 4 if p == 1 else 0
    if n == 124:
        return 2
    return 0


def _ranges(keys):
    spans = []
    for key in keys:
        if spans and spans[-1][1] == key - 1:
            spans[-1][1] = key
        else:
            spans.append([key, key])
    return ", ".join(str(a) if a == b else f"{a}-{b}" for a, b in spans)


def fewest_pages(n):
    """Pages dialogue n needs so that everyone the rule names gets to speak: every speaker
    appears, and the last page the rule singles out exists."""
    horizon = 40
    tail = {speaker(n, horizon - 2), speaker(n, horizon - 1)}
    singled = [p for p in range(horizon) if speaker(n, p) not in tail]
    everyone = {speaker(n, p) for p in range(horizon)}
    covering = next(k for k in range(1, horizon + 1) if {speaker(n, p) for p in range(k)} == everyone)
    return max(covering, singled[-1] + 1 if singled else 1)


# Keys the program must hold: 0 to 156, 158 to 160 and the test line 900.
REQUIRED_KEYS = [*range(0, 157), 158, 159, 160, 900]


def problems(dialogues, required=REQUIRED_KEYS):
    """Every problem a reader should fix, as 'line: message' strings."""
    found = []
    numbers = {d.number for d in dialogues}
    missing = sorted(set(required or ()) - numbers)
    if missing:
        found.append("-: missing dialogues " + _ranges(missing))
    for dialogue in dialogues:
        if len(dialogue.pages) < fewest_pages(dialogue.number):
            found.append(
                f"{dialogue.line}: dialogue {dialogue.number} has {len(dialogue.pages)} pages; "
                f"its speakers need at least {fewest_pages(dialogue.number)}"
            )
        for index, page in enumerate(dialogue.pages):
            expected = NAMES[speaker(dialogue.number, index)]
            if page.speaker != expected:
                found.append(
                    f"{page.line}: dialogue {dialogue.number} page {index} is spoken by "
                    f"{expected}, not {page.speaker}"
                )
            if expected == "Narrator":
                longest = max(len(line) for line in page.text.split("\n"))
                if longest > WRAP_WIDTH:
                    found.append(f"{page.line}: a narrator line of {longest} columns is wider than the box")
            elif wrapped_lines(page.text) > MAX_LINES:
                found.append(f"{page.line}: the page needs {wrapped_lines(page.text)} lines; split it")
    return found
