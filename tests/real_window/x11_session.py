"""A throwaway desktop session: an X server, a real window manager, a private
session bus, and the programs in it.

Each test copies a built program into a temporary folder of its own, with the
picture folder it needs beside it, starts it under Xvfb and openbox, and looks
at it from outside the process, the way a desktop does. Everything started is
stopped again, also when a test fails.

Every wait here waits for a state it can observe; one that never comes raises
or reports what was seen instead.
"""

import os
import shutil
import signal
import subprocess
import tempfile
import time

from PIL import Image, ImageGrab
from Xlib import X, Xatom, display as xdisplay
from Xlib.protocol import event

PROGRAM_DIR = os.environ.get("VIEWERS_PROGRAM_DIR", "")
SCREEN_SIZE = (1024, 768)


def wait_for(observe, accept, timeout=10.0, interval=0.05):
    """Observes until accept(observed) holds or the time is up; returns the
    last observation either way, so that a failing check can show it."""
    deadline = time.monotonic() + timeout
    while True:
        observed = observe()
        if accept(observed) or time.monotonic() >= deadline:
            return observed
        time.sleep(interval)


def wait_until(condition, timeout=10.0, interval=0.05):
    """The condition's first true value, or its last false one on timeout."""
    return wait_for(condition, bool, timeout, interval)


class X11Session:
    """with X11Session() as session: ... ; session_bus=False leaves the
    programs without a session bus, as on a bare X server; window_manager=False, without openbox."""

    def __init__(self, session_bus=True, screen_size=SCREEN_SIZE, window_manager=True):
        self._screen_size = screen_size
        self._processes = []
        self._logs = {}
        self._folder = tempfile.TemporaryDirectory(prefix="viewer-x11-")
        self._session_bus = session_bus
        self._window_manager = window_manager
        self.bus_address = None
        self.display_name = None
        self.display = None

    def __enter__(self):
        try:
            # A private runtime folder, so that nothing finds the user's own
            # buses or sockets through it.
            os.mkdir(self.runtime_dir, 0o700)
            if self._session_bus:
                self._start_session_bus()
            self._start_server()
            if self._window_manager:
                self._start_window_manager()
                self._switch_to_synthetic_keyboard()
        except BaseException:
            self.__exit__()
            raise
        return self

    def __exit__(self, *exc):
        if self.display is not None:
            self.display.close()
            self.display = None
        for process in reversed(self._processes):
            if process.poll() is None:
                process.send_signal(signal.SIGTERM)
                try:
                    process.wait(timeout=5)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()
        for log in self._logs.values():
            log.close()
        self._folder.cleanup()
        return False

    @property
    def folder(self):
        return self._folder.name

    @property
    def runtime_dir(self):
        return os.path.join(self.folder, "runtime")

    def _spawn(self, command, **options):
        process = subprocess.Popen(command, **options)
        self._processes.append(process)
        return process

    def _read_announcement(self, command, what, env):
        """Starts a server that writes its address to a descriptor once it
        accepts connections; returns that first line."""
        read_end, write_end = os.pipe()
        self._spawn([arg.replace("{fd}", str(write_end)) for arg in command], env=env,
                    pass_fds=(write_end,), stdout=subprocess.DEVNULL,
                    stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            line = pipe.readline().strip()
        if not line:
            raise RuntimeError(what + " did not start")
        return line

    def _start_session_bus(self):
        self.bus_address = self._read_announcement(
            ["dbus-daemon", "--session", "--nofork", "--nopidfile", "--print-address={fd}",
             "--address=unix:dir=" + self.runtime_dir],
            "the session bus", self.environment())

    def _start_server(self):
        width, height = self._screen_size
        number = self._read_announcement(
            ["Xvfb", "-displayfd", "{fd}", "-screen", "0", f"{width}x{height}x24",
             "-nolisten", "tcp"],
            "Xvfb", None)
        self.display_name = ":" + number
        self.display = xdisplay.Display(self.display_name)

    def _start_window_manager(self):
        self._spawn(["openbox", "--sm-disable"], env=self.environment(),
                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        root = self.display.screen().root
        if not wait_until(lambda: self.property(root, "_NET_SUPPORTING_WM_CHECK")):
            raise RuntimeError("openbox did not start")
        # It names itself before its start-up is done; it is ready once it
        # answers requests.
        self.window_manager_round_trip()

    def _switch_to_synthetic_keyboard(self):
        # The first key typed through XTEST switches the server's keyboard to
        # the XTEST device, so every client reloads its keymap; openbox drops
        # and takes again its key bindings meanwhile, and a binding pressed
        # then is lost. Type a key nobody binds, and wait until openbox has
        # handled the change.
        self.key("Shift_L")
        self.window_manager_round_trip()

    def environment(self, **extra):
        """The environment of a program in this session: no Qt or Wayland
        settings and no bus of the caller's."""
        env = {key: value for key, value in os.environ.items()
               if not key.startswith(("QT_", "WAYLAND_", "DBUS_", "AT_SPI_"))}
        env.update(XDG_SESSION_TYPE="x11", XDG_RUNTIME_DIR=self.runtime_dir)
        if self.display_name:
            env.update(DISPLAY=self.display_name)
        if self.bus_address:
            env.update(DBUS_SESSION_BUS_ADDRESS=self.bus_address)
        env.update(extra)
        return env

    def install_program(self, name, pictures=None, folder_name=None):
        """Copies the program into a folder of its own, named folder_name
        (bytes or text) or after the program; pictures maps a relative path
        such as 'Qel/0.jpg' to a PIL image or to bytes."""
        folder = os.path.join(self.folder, os.fsdecode(folder_name or name))
        os.makedirs(folder)
        target = os.path.join(folder, name)
        shutil.copy2(os.path.join(PROGRAM_DIR, name), target)
        for relative, content in (pictures or {}).items():
            path = os.path.join(folder, relative)
            os.makedirs(os.path.dirname(path), exist_ok=True)
            if isinstance(content, Image.Image):
                content.save(path, "JPEG", quality=100, subsampling=0)
            else:
                with open(path, "wb") as file:
                    file.write(content)
        return target

    def launch(self, command, **env):
        """Starts a program with its output kept for output(); command is a
        path or an argument list."""
        command = [command] if isinstance(command, str) else list(command)
        log = tempfile.TemporaryFile(dir=self.folder)
        process = self._spawn(command, env=self.environment(**env), stdin=subprocess.DEVNULL,
                              stdout=log, stderr=subprocess.STDOUT)
        self._logs[process] = log
        return process

    def output(self, process):
        """What the program wrote to its stdout and stderr so far."""
        log = self._logs[process]
        log.seek(0)
        return log.read().decode(errors="replace")

    def exit_code(self, process, timeout=10):
        """The program's exit code, or None if it is still running then."""
        try:
            return process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            return None

    def start(self, command, find_window=None, **env):
        """Starts a program and waits until the window manager has framed its
        window and given it the keyboard; returns the process and the window.
        find_window(process) finds the window; by default the one whose
        _NET_WM_PID is the process's."""
        process = self.launch(command, **env)
        find_window = find_window or (lambda started: self.window_of(started.pid))
        window = wait_until(lambda: find_window(process) or process.poll() is not None)
        if window is True or not window:
            process.kill()
            process.wait()
            raise RuntimeError(f"the program showed no window (exit code {process.returncode}):\n"
                               + self.output(process))
        if not wait_until(lambda: self.property(window, "_NET_FRAME_EXTENTS")):
            raise RuntimeError("the window manager did not frame the window:\n"
                               + self.output(process))
        self.wait_for_focus(window, process)
        return process, window

    def wait_for_focus(self, window, process=None):
        """Waits until the window is the active one and holds the keyboard."""
        if not wait_until(lambda: self.is_active(window) and self.has_input_focus(window)):
            raise RuntimeError(
                f"the window never took the focus: active {self.is_active(window)}, "
                f"input focus {self.has_input_focus(window)}"
                + ("" if process is None else ":\n" + self.output(process)))

    def client_windows(self):
        root = self.display.screen().root
        clients = root.get_full_property(self.atom("_NET_CLIENT_LIST"), Xatom.WINDOW)
        return [self.display.create_resource_object("window", w) for w in clients.value] if clients else []

    def window_of(self, pid):
        for window in self.client_windows():
            owner = self.property(window, "_NET_WM_PID")
            if owner and owner[0] == pid:
                return window
        return None

    def is_active(self, window):
        active = self.property(self.display.screen().root, "_NET_ACTIVE_WINDOW")
        return bool(active) and active[0] == window.id

    def has_input_focus(self, window):
        """True when keys typed now go to this window or one inside it."""
        focus = self.display.get_input_focus().focus
        root = self.display.screen().root.id
        while not isinstance(focus, int) and focus.id not in (X.NONE, root):
            if focus.id == window.id:
                return True
            focus = focus.query_tree().parent
        return False

    def window_of_class(self, class_name):
        for window in self.client_windows():
            names = window.get_wm_class()
            if names and class_name in names:
                return window
        return None

    def atom(self, name):
        return self.display.intern_atom(name)

    def atom_names(self, values):
        return {self.display.get_atom_name(value) for value in values}

    def property(self, window, name, kind=X.AnyPropertyType):
        self.display.sync()
        reply = window.get_full_property(self.atom(name), kind)
        return None if reply is None else reply.value

    def send_to_window_manager(self, window, message, data):
        """A client message about window to the window manager, as pagers and
        taskbars send them."""
        values = [self.atom(value) if isinstance(value, str) else value for value in data]
        request = event.ClientMessage(window=window, client_type=self.atom(message),
                                      data=(32, (values + [0] * 5)[:5]))
        self.display.screen().root.send_event(
            request, event_mask=X.SubstructureRedirectMask | X.SubstructureNotifyMask)
        self.display.flush()

    def window_manager_round_trip(self, timeout=10):
        """Returns once the window manager has handled every request sent
        before: it handles them in order, and answers a frame-extents request
        for a window of our own by setting a property on it. The request is
        sent again while unanswered, since one sent while the window manager
        was still starting up may never be seen."""
        probe = self.display.screen().root.create_window(0, 0, 1, 1, 0, X.CopyFromParent)
        try:
            deadline = time.monotonic() + timeout
            while True:
                self.send_to_window_manager(probe, "_NET_REQUEST_FRAME_EXTENTS", [])
                if wait_until(lambda: self.property(probe, "_NET_FRAME_EXTENTS"), 0.5):
                    return
                if time.monotonic() >= deadline:
                    raise RuntimeError("the window manager did not answer a request")
        finally:
            probe.destroy()
            self.display.sync()

    def close(self, window):
        """Asks the window manager to close the window, as a taskbar does."""
        self.send_to_window_manager(window, "_NET_CLOSE_WINDOW", [X.CurrentTime, 2])

    def client_geometry(self, window):
        """The client area's position on the root window and its size."""
        geometry = window.get_geometry()
        origin = window.translate_coords(self.display.screen().root, 0, 0)
        return -origin.x, -origin.y, geometry.width, geometry.height

    def set_monitors(self, *monitors):
        """Splits the screen into monitors, each (name, width, height, x, y),
        as RandR 1.5 lets a desktop describe them."""
        for index, (name, width, height, x, y) in enumerate(monitors):
            subprocess.run(["xrandr", "--setmonitor", name, f"{width}/300x{height}/300+{x}+{y}",
                            "screen" if index == 0 else "none"], env=self.environment(),
                           check=True, capture_output=True)

    def set_resources(self, text):
        """Merges X resources, such as Xft.dpi, into the server's."""
        subprocess.run(["xrdb", "-merge"], input=text, text=True, env=self.environment(),
                       check=True)

    def screenshot(self):
        self.display.sync()
        return ImageGrab.grab(xdisplay=self.display_name)

    def double_click(self, x, y):
        """Double-clicks the left button at this point of the screen."""
        subprocess.run(["xdotool", "mousemove", str(x), str(y),
                        "click", "--repeat", "2", "--delay", "60", "1"],
                       env=self.environment(), check=True)

    def key(self, *keys):
        """Types keys into the focused window. The program handles them in
        its own time: check for their effect with wait_for."""
        subprocess.run(["xdotool", "key", "--delay", "50", *keys], env=self.environment(),
                       check=True)
