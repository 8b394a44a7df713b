#!/usr/bin/python3
"""A keyboard user's conversation with the real program through the screen
reader Orca.

Starts Orca (speech off, braille on without a display, its debug log on)
and the real executable under scripts/run-with-atspi.sh, focuses the window
and sends the keys of STEPS with xdotool, one row at a time. After the last
row it stops both and sorts what Orca said and flashed into the rows by the
log's time stamps. What a row's keys made Orca say must contain the row's
fragments as whole words; its announcement must be presented once; "not
selected" is never said, as the board has no selection. Half-way the user
switches Orca to reading single cells (Orca+F11): from then on a move in the
board speaks the current cell alone, no other cell of its row. Every row is
printed with its keys and all Orca said after them, so a failure shows the
whole conversation.

Orca 43 speaks a notification and logs it as speech even with speech off.
Orca 48 logs what it speaks on its own (the focus) with speech off, but not
the messages it presents, such as an announcement; those it also flashes in
braille, which it logs whether a braille display is there or not. So an
announcement counts as presented when it is spoken or flashed, once each at
most.

    run-with-atspi.sh orca_conversation_test.py <path to apqr>
"""
import datetime
import fcntl
import os
import pty
import re
import subprocess
import sys
import tempfile
import threading
import time
import tty

MODULUS = 51
COLUMNS = 25

# (keys for xdotool, fragments, an announcement presented once, the current
# cell when Orca reads single cells and must speak it alone).
# The box for m starts focused; the modulus scroll bar stays at 2.
STEPS = [
    (["ctrl+a", "5", "1", "Tab"], [], None, None),
    (["space"], [], "Tafel für m = 51 (3 mal 17): 18 quadratische Reste.", None),
    (["Tab"] * 6, [], None, None),
    (["space"], [], "Progression mit d = 9 ab 16: 16, 25, 34, 43.", None),
    (["Tab"], [], None, None),
    # Orca reads the whole row as the row changes; the current cell's
    # residue and meaning are in it.
    (["Tab"], ["0", "quadratischer Rest"], None, None),
    (["Down"], ["25", "Glied einer Progression"], None, None),
    (["Right"] * 8, [], None, None),
    (["Right"], ["34", "Glied einer Progression", "9"], None, None),
    (["Return"], [], None, None),
    (["Escape"], ["34", "Glied einer Progression"], None, None),
    (["shift+Tab"] * 4 + ["ctrl+a", "9"] + ["Tab"] * 6, [], None, None),
    # On the rebuilt board: 16, 25, 34, 43 and 33, 42, 0, 9 (mod 51).
    (["space"], [], "d = 9: 2 Progressionen markiert.", None),
    # Back into the board, where the user switches Orca to single cells.
    (["shift+Tab"] * 2, ["34", "Glied einer Progression", "9"], None, None),
    (["Insert+F11"], [], None, None),
    (["Up"], ["9", "Glied einer Progression"], None, 9),
    (["Return"], [], None, None),
    (["Escape"], ["9", "Glied einer Progression"], None, 9),
    (["Right"], ["10", "kein quadratischer Rest"], None, 10),
    (["Tab", "shift+Tab"], ["10", "kein quadratischer Rest"], None, 10),
    (["Tab"] * 6, [], None, None),
    (["space"], [], "Suchlauf beendet: m = 3 hat nur triviale Progressionen.", None),
]
NEVER = ["not selected"]

# A row is over when Orca has received the release of its every key and its
# log has not grown for this long since.
QUIET_SECONDS = 1.5
ROW_LIMIT_SECONDS = 20
KEY_RELEASED = "PROCESS ATSPI_KEY_RELEASED_EVENT"
# Orca 43 logs the first, Orca 48 the second once it listens for events.
STARTED = re.compile(r"ORCA: Starting (registry|Atspi main event loop)")

# A line of the log: its time stamp, the text in quotes, then maybe the
# voice's name and its settings, or the time a message is flashed for.
SPOKEN = re.compile(r"^(\d\d):(\d\d):(\d\d)\.(\d{6}) - SPEECH OUTPUT: '(.*?)'"
                    r"(?: voice=\w+)? ?(?:\{.*\})?$", re.MULTILINE)
FLASHED = re.compile(r"^(\d\d):(\d\d):(\d\d)\.(\d{6}) - BRAILLE: Display message: '(.*?)'"
                     r" \(flashTime: -?\d+\)$", re.MULTILINE)


class Failure(Exception):
    pass


class OrcaLog:
    """Orca's debug log. Written to a file, it arrives in blocks of a few KB;
    written to a terminal, line by line. So Orca gets a pseudo-terminal, and
    the test can tell when it has gone quiet."""

    def __init__(self):
        self._master, self._slave = pty.openpty()
        tty.setraw(self._slave)
        self.path = os.ttyname(self._slave)
        self._chunks = []
        self._lock = threading.Lock()
        self._last = time.monotonic()
        self._reader = threading.Thread(target=self._read, daemon=True)
        self._reader.start()

    def _read(self):
        while True:
            try:
                chunk = os.read(self._master, 65536)
            except OSError:  # the terminal's last writer has closed it
                return
            if not chunk:
                return
            with self._lock:
                self._chunks.append(chunk)
                self._last = time.monotonic()

    def text(self):
        with self._lock:
            return b"".join(self._chunks).decode("utf-8", "replace")

    def wait(self, condition, seconds):
        deadline = time.monotonic() + seconds
        while not condition(self.text()):
            if time.monotonic() > deadline:
                return False
            time.sleep(0.1)
        return True

    def wait_quiet(self, seconds=ROW_LIMIT_SECONDS):
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            with self._lock:
                if time.monotonic() - self._last >= QUIET_SECONDS:
                    return
            time.sleep(0.1)

    def close(self):
        os.close(self._slave)
        self._reader.join(timeout=10)
        os.close(self._master)


def utterances(log, first, kind=SPOKEN):
    """(time, text) of everything Orca said (or flashed, with FLASHED), in
    order; `first` is a moment shortly before the first of them."""
    said = []
    for line in kind.finditer(log):
        when = datetime.datetime.combine(
            first.date(), datetime.time(*(int(g) for g in line.groups()[:4])))
        if when < first - datetime.timedelta(hours=1):  # past midnight
            when += datetime.timedelta(days=1)
        said.append((when, line.group(5)))
    return said


def said_as_word(word, text):
    return re.search(r"(?<!\w)" + re.escape(word) + r"(?!\w)", text) is not None


# What Orca says of other objects on the way into the board: the board's
# scroll bar with its value, the table's size.
NOT_OF_CELLS = re.compile(r"scroll bar|^table with")


def others_in_row(alone, heard):
    """The other cells of the current cell's row that Orca read: their
    residues as words, but for the headers that name the current cell's
    row and column."""
    first = alone - alone % COLUMNS
    allowed = {first, alone % COLUMNS}
    text = "\n".join(line for line in heard if not NOT_OF_CELLS.search(line))
    return [n for n in range(first, min(first + COLUMNS, MODULUS))
            if n != alone and n not in allowed and said_as_word(str(n), text)]


def problems_of(step, heard, flashed):
    _, fragments, once, alone = step
    text = "\n".join(heard)
    problems = ["%r not said" % f for f in fragments if not said_as_word(f, text)]
    problems += ["%r said" % never for never in NEVER if never in text]
    if once is not None:
        counts = (text.count(once), "\n".join(flashed).count(once))
        if max(counts) != 1:
            problems.append("%r said %d and flashed %d times, expected once" % ((once,) + counts))
    if alone is not None:
        others = others_in_row(alone, heard)
        if others:
            problems.append("cells %s read beside cell %d" % (others, alone))
    return problems


def xdotool(*args, timeout=30):
    return subprocess.run(["xdotool", *args], check=True, timeout=timeout,
                          stdout=subprocess.PIPE, text=True).stdout


def stop(process):
    if process.poll() is None:
        process.terminate()
        try:
            process.wait(timeout=20)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


def converse(program_path, home, log):
    """Runs the conversation; returns when each row began and when the last
    one ended."""
    env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=home + "/config",
               XDG_DATA_HOME=home + "/data", XDG_CACHE_HOME=home + "/cache",
               GSETTINGS_BACKEND="memory")
    out = open(os.path.join(home, "orca.out"), "w")
    # Not --replace: that kills every other Orca of this user, anywhere.
    orca = subprocess.Popen(
        ["orca", "--disable=speech", "--debug-file=" + log.path],
        env=env, stdout=out, stderr=subprocess.STDOUT)
    program = None
    try:
        if not log.wait(lambda text: STARTED.search(text) or orca.poll() is not None, 60) \
                or orca.poll() is not None:
            stop(orca)
            raise Failure("Orca did not start: " + open(out.name).read())
        log.wait_quiet()

        program = subprocess.Popen([program_path])
        window = xdotool("search", "--sync", "--name", "^Arithmetische", timeout=60).split()[0]
        xdotool("windowfocus", "--sync", window)
        log.wait_quiet()

        starts = []
        for keys, *_ in STEPS:
            starts.append(datetime.datetime.now())
            released = log.text().count(KEY_RELEASED) + sum(len(k.split("+")) for k in keys)
            xdotool("key", "--delay", "150", *keys)
            log.wait(lambda text, n=released: text.count(KEY_RELEASED) >= n, ROW_LIMIT_SECONDS)
            log.wait_quiet()
        if orca.poll() is not None:
            raise Failure("Orca ended during the conversation (another Orca's --replace?)")
        return starts, datetime.datetime.now()
    finally:
        if program is not None:
            stop(program)
        stop(orca)
        out.close()


def main():
    # Orca refuses to start while another one of the same user runs: two of
    # these tests take turns.
    with open(os.path.join(tempfile.gettempdir(), "apqr-orca.lock"), "w") as lock, \
            tempfile.TemporaryDirectory() as home:
        fcntl.flock(lock, fcntl.LOCK_EX)
        log = OrcaLog()
        try:
            starts, end = converse(sys.argv[1], home, log)
        except Failure as failure:
            print("FAIL: %s" % failure)
            sys.exit(1)
        finally:
            log.close()
    said = utterances(log.text(), starts[0])
    flashes = utterances(log.text(), starts[0], FLASHED)

    failed = False
    for row, step in enumerate(STEPS):
        until = starts[row + 1] if row + 1 < len(starts) else end
        heard = [text for when, text in said if starts[row] <= when < until]
        flashed = [text for when, text in flashes if starts[row] <= when < until]
        problems = problems_of(step, heard, flashed)
        failed = failed or bool(problems)
        print("%s %2d. keys: %s" % ("FAIL" if problems else "ok  ", row + 1, " ".join(step[0])))
        for line in (["said: " + text for text in heard] + ["flashed: " + text for text in flashed]
                     + ["-> " + p for p in problems]):
            print("           " + line)
    if failed:
        print("FAIL: Orca did not say what the rows marked FAIL expect")
        sys.exit(1)
    print("ok: Orca said what every row expects")


if __name__ == "__main__":
    main()
