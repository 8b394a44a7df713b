#!/usr/bin/python3
"""A keyboard user's conversation with the real program through the screen
reader Orca.

Starts Orca (speech and braille off, its debug log on) and the real
executable under scripts/run-with-atspi.sh, focuses the window and sends the
keys of STEPS with xdotool, one row at a time. After the last row it stops
both and sorts what Orca said into the rows by the log's time stamps. What a
row's keys made Orca say must contain the row's fragments as whole words and
its announcement exactly once. Every row is printed with its keys and all
Orca said after them, so a failure shows the whole conversation.

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

# (keys for xdotool, fragments, an announcement spoken exactly once).
# The box for m starts focused; the modulus scroll bar stays at 2.
STEPS = [
    (["ctrl+a", "5", "1", "Tab"], [], None),
    (["space"], [], "Tafel für m = 51 (3 mal 17): 18 quadratische Reste."),
    (["Tab"] * 6, [], None),
    (["space"], [], "Progression mit d = 9 ab 16: 16, 25, 34, 43."),
    (["Tab"], [], None),
    (["Tab"], ["0", "quadratischer Rest"], None),
    (["Down"] + ["Right"] * 8, [], None),
    (["Right"], ["34", "Glied einer Progression", "9"], None),
    (["Return"], [], None),
    (["Escape"], ["34", "Glied einer Progression"], None),
    (["shift+Tab"] * 4 + ["ctrl+a", "9"] + ["Tab"] * 6, [], None),
    # On the rebuilt board: 16, 25, 34, 43 and 33, 42, 0, 9 (mod 51).
    (["space"], [], "d = 9: 2 Progressionen markiert."),
    (["Tab"] * 4, [], None),
    (["space"], [], "Suchlauf beendet: m = 3 hat nur triviale Progressionen."),
]

# A row is over when Orca has received the release of its every key and its
# log has not grown for this long since.
QUIET_SECONDS = 1.5
ROW_LIMIT_SECONDS = 20
KEY_RELEASED = "PROCESS ATSPI_KEY_RELEASED_EVENT"
STARTED = "ORCA: Starting registry"

# A line of the log: its time stamp, the text in quotes, then maybe the
# voice's name and its settings.
SPOKEN = re.compile(r"^(\d\d):(\d\d):(\d\d)\.(\d{6}) - SPEECH OUTPUT: '(.*?)'"
                    r"(?: voice=\w+)? ?(?:\{.*\})?$", re.MULTILINE)


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


def utterances(log, first):
    """(time, text) of everything Orca said, in order; `first` is a moment
    shortly before the first of them."""
    said = []
    for line in SPOKEN.finditer(log):
        when = datetime.datetime.combine(
            first.date(), datetime.time(*(int(g) for g in line.groups()[:4])))
        if when < first - datetime.timedelta(hours=1):  # past midnight
            when += datetime.timedelta(days=1)
        said.append((when, line.group(5)))
    return said


def problems_of(fragments, once, heard):
    text = "\n".join(heard)
    problems = ["%r not said" % f for f in fragments
                if not re.search(r"(?<!\w)" + re.escape(f) + r"(?!\w)", text)]
    if once is not None and text.count(once) != 1:
        problems.append("%r said %d times, expected once" % (once, text.count(once)))
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
        ["orca", "--disable=speech", "--disable=braille", "--debug-file=" + log.path],
        env=env, stdout=out, stderr=subprocess.STDOUT)
    program = None
    try:
        if not log.wait(lambda text: STARTED in text or orca.poll() is not None, 60) \
                or orca.poll() is not None:
            stop(orca)
            raise Failure("Orca did not start: " + open(out.name).read())
        log.wait_quiet()

        program = subprocess.Popen([program_path])
        window = xdotool("search", "--sync", "--name", "^Arithmetische", timeout=60).split()[0]
        xdotool("windowfocus", "--sync", window)
        log.wait_quiet()

        starts = []
        for keys, _, _ in STEPS:
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

    failed = False
    for row, (keys, fragments, once) in enumerate(STEPS):
        until = starts[row + 1] if row + 1 < len(starts) else end
        heard = [text for when, text in said if starts[row] <= when < until]
        problems = problems_of(fragments, once, heard)
        failed = failed or bool(problems)
        print("%s %2d. keys: %s" % ("FAIL" if problems else "ok  ", row + 1, " ".join(keys)))
        for line in ["said: " + text for text in heard] + ["-> " + p for p in problems]:
            print("           " + line)
    if failed:
        print("FAIL: Orca did not say what the rows marked FAIL expect")
        sys.exit(1)
    print("ok: Orca said what every row expects")


if __name__ == "__main__":
    main()
