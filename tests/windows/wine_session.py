"""The Windows programs under Wine, in an X session of their own.

A WineSession is one Xvfb with openbox (X11Session) and one copy of the test
prefix that the build's CTest fixture made, with its own Wine server. Tests
start programs in it one at a time, look at them from X, and read their
controls with read_window.exe, a Win32 program in the same Wine session.
Every program's and Wine's output is printed when the test ends, which CTest
shows when a test fails.
"""

import itertools
import json
import os
import shutil
import subprocess
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "real_window"))
import x11_session  # noqa: E402
from x11_session import X11Session, wait_until  # noqa: E402

PROGRAM_DIR = os.environ.get("VIEWERS_PROGRAM_DIR", "")
TEMPLATE_PREFIX = os.environ.get("WINEPREFIX", "")
READ_WINDOW = os.environ.get("READ_WINDOW_PROGRAM", "")
WINE = shutil.which("wine64") or "/usr/lib/wine/wine64"
WS_CAPTION = 0x00C00000
# No prompts to install Wine's .NET and HTML engines, no menu entries written.
NO_INSTALLERS = "mscoree=;mshtml=;winemenubuilder.exe="


class WineSession(X11Session):
    def __init__(self, dpi=96, screen_size=x11_session.SCREEN_SIZE):
        super().__init__(screen_size=screen_size)
        self.dpi = dpi
        self.prefix = None
        self._program_logs = []
        self._installs = itertools.count(1)

    def __enter__(self):
        super().__enter__()
        try:
            self._copy_prefix()
        except BaseException:
            super().__exit__(None, None, None)
            raise
        return self

    def __exit__(self, *exc):
        if self.prefix:
            subprocess.run(["wineserver", "-k"], env=self.wine_environment(), check=False)
            subprocess.run(["wineserver", "-w"], env=self.wine_environment(), check=False)
        self.print_logs()
        return super().__exit__(*exc)

    def _copy_prefix(self):
        """Links the template's files rather than copying its 700 MB; the
        registry, which Wine rewrites, is copied for real."""
        if not os.path.isfile(os.path.join(TEMPLATE_PREFIX, "system.reg")):
            raise RuntimeError("WINEPREFIX names no prefix made by wine-prefix: " + TEMPLATE_PREFIX)
        self.prefix = os.path.join(self.folder, "prefix")
        subprocess.run(["cp", "-al", TEMPLATE_PREFIX, self.prefix], check=True)
        for name in ("system.reg", "user.reg", "userdef.reg"):
            os.unlink(os.path.join(self.prefix, name))
            shutil.copy2(os.path.join(TEMPLATE_PREFIX, name), os.path.join(self.prefix, name))
        if self.dpi != 96:
            for key in (r"HKCU\Control Panel\Desktop", r"HKCC\Software\Fonts"):
                self.run_wine(["reg", "add", key, "/v", "LogPixels", "/t", "REG_DWORD",
                               "/d", str(self.dpi), "/f"], check=True)

    def wine_environment(self, **extra):
        settings = dict(WINEPREFIX=self.prefix, WINEDEBUG=os.environ.get("WINEDEBUG", "-all"),
                        WINEDLLOVERRIDES=NO_INSTALLERS, LANG="C.UTF-8")
        settings.update(extra)
        return self.environment(**settings)

    def run_wine(self, arguments, check=False, timeout=60, **env):
        result = subprocess.run([WINE, *arguments], env=self.wine_environment(**env),
                                capture_output=True, timeout=timeout)
        if check and result.returncode != 0:
            raise RuntimeError(f"wine {arguments} failed: {result.stderr.decode(errors='replace')}")
        return result

    def install(self, name, folder=None, pictures=None):
        """Copies NAME.exe into a folder of its own (a name with blanks and CJK
        characters by default); pictures maps 'Qel/0.jpg' to bytes, a PIL
        image, or a callable that makes the file at the path it is given."""
        folder = os.path.join(self.folder, folder or f"程序 {name} {next(self._installs)}")
        self.last_program = os.path.join(folder, name + ".exe")
        os.makedirs(folder)
        target = os.path.join(folder, name + ".exe")
        shutil.copy2(os.path.join(PROGRAM_DIR, name + ".exe"), target)
        for relative, content in (pictures or {}).items():
            path = os.path.join(folder, relative)
            os.makedirs(os.path.dirname(path), exist_ok=True)
            if callable(content):
                content(path)
            elif isinstance(content, bytes):
                with open(path, "wb") as file:
                    file.write(content)
            else:
                content.save(path, "JPEG", quality=100, subsampling=0)
        return target

    def start(self, program_path, **env):
        """Starts the program and returns (process, X window) once the window
        is mapped, framed by openbox and the program's foreground window."""
        log = open(os.path.join(self.folder, f"log-{len(self._program_logs)}.txt"), "w+b")
        self._program_logs.append((program_path, log))
        process = subprocess.Popen([WINE, program_path], env=self.wine_environment(**env),
                                   stdout=log, stderr=subprocess.STDOUT)
        self._processes.append(process)
        window = wait_until(lambda: process.poll() is None and self.window_of(process.pid),
                            timeout=30)
        if not window:
            raise AssertionError("the program showed no window")
        wait_until(lambda: self.property(window, "_NET_FRAME_EXTENTS"), timeout=10)
        return process, window

    def read(self):
        """What read_window.exe reports: the foreground window and every
        visible top-level window with its controls."""
        result = self.run_wine([READ_WINDOW], timeout=30)
        if result.returncode != 0:
            raise AssertionError(f"read_window failed with {result.returncode}: "
                                 + (result.stdout + result.stderr).decode(errors="replace"))
        return json.loads(result.stdout.decode("utf-8"))

    def program_window(self):
        """The one captioned top-level window the helper sees, or None."""
        windows = [w for w in self.read()["windows"] if w["style"] & WS_CAPTION]
        return windows[0] if len(windows) == 1 else None

    def print_logs(self):
        for program, log in self._program_logs:
            log.seek(0)
            output = log.read().decode(errors="replace").strip()
            print(f"--- output of {program} under Wine:\n{output or '(none)'}", file=sys.stderr)
            log.close()
        self._program_logs.clear()


def controls_of(window, kind):
    """The window's controls of one class, in reading order (top to bottom,
    left to right)."""
    found = [c for c in window["controls"] if c["class"].lower() == kind.lower()]
    return sorted(found, key=lambda c: (c["rect"][1], c["rect"][0]))


def description_of(window):
    """The text of the description label, the widest label."""
    return max(controls_of(window, "Static"), key=lambda c: c["rect"][2])["text"]


class WineTestCase(unittest.TestCase):
    """Tests sharing one WineSession per class; each test starts its programs,
    which end with it."""
    DPI = 96
    SCREEN_SIZE = x11_session.SCREEN_SIZE

    @classmethod
    def setUpClass(cls):
        cls.session = WineSession(cls.DPI, cls.SCREEN_SIZE)
        cls.session.__enter__()

    @classmethod
    def tearDownClass(cls):
        cls.session.__exit__(None, None, None)

    def setUp(self):
        self._started = []

    def tearDown(self):
        self.end_programs()
        self.session.print_logs()

    def end_programs(self):
        for process, window in self._started:
            if process.poll() is None:
                process.kill()
                process.wait()
            wait_until(lambda: window.id not in [w.id for w in self.session.client_windows()])
        self._started.clear()

    def start(self, name, pictures=None, folder=None, **env):
        """Starts the program, after ending those this test started before."""
        self.end_programs()
        process, window = self.session.start(self.session.install(name, folder, pictures), **env)
        self._started.append((process, window))
        return process, window

    def wait_for(self, condition, message="", timeout=15):
        result = wait_until(condition, timeout=timeout, interval=0.1)
        self.assertTrue(result, message)
        return result

    def program_window(self):
        return self.wait_for(self.session.program_window, "the helper saw no program window")

    def key(self, *keys):
        if keys:
            subprocess.run(["xdotool", "key", "--delay", "50", *keys],
                           env=self.session.environment(), check=True)

    def picture_area(self, window, size=(299, 300)):
        x, y, _, _ = self.session.client_geometry(window)
        return self.session.screenshot().crop((x, y, x + size[0], y + size[1]))
