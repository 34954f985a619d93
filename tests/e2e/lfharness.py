"""Drives a copy of the program folder under Xvfb with openbox.

Every test gets a fresh sandbox: HOME and every XDG variable point into a
temporary folder, so a test never touches the real user's files. The program
runs from a copy of build/bin, so first-run markers and settings files of one
test never leak into another.
"""

import os
import re
import shutil
import signal
import subprocess
import tempfile
import time
import unittest

BIN_DIR = os.environ.get("LF_BIN_DIR") or os.path.join(
    os.path.dirname(__file__), "..", "..", "build", "bin")
PROGRAM = "lanternfly-desktop"
WINDOW_TITLE = "Lanternfly Desktop"


def wait_for(predicate, timeout=10.0, interval=0.05, what="condition"):
    """Polls predicate until it returns a true value; fails after timeout seconds."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out after {timeout}s waiting for {what}")
        time.sleep(interval)


class Sandbox:
    """A private home with the XDG folders and a copy of the program folder."""

    def __init__(self):
        self.root = tempfile.mkdtemp(prefix="lf-e2e-")
        self.home = os.path.join(self.root, "home")
        self.program_dir = os.path.join(self.root, "program")
        self.runtime_dir = os.path.join(self.root, "runtime")
        for sub in ("home", "home/.config", "home/.cache", "home/.local/share", "runtime"):
            os.makedirs(os.path.join(self.root, sub), exist_ok=True)
        os.chmod(self.runtime_dir, 0o700)
        shutil.copytree(BIN_DIR, self.program_dir, symlinks=True)

    @property
    def executable(self):
        return os.path.join(self.program_dir, PROGRAM)

    @property
    def settings_file(self):
        return self.executable + ".INI"

    def env(self, display=None):
        env = {k: v for k, v in os.environ.items()
               if not k.startswith(("XDG_", "DBUS_", "QT_", "WAYLAND_"))}
        env.update({
            "HOME": self.home,
            "XDG_CONFIG_HOME": os.path.join(self.home, ".config"),
            "XDG_CACHE_HOME": os.path.join(self.home, ".cache"),
            "XDG_DATA_HOME": os.path.join(self.home, ".local/share"),
            "XDG_RUNTIME_DIR": self.runtime_dir,
            "LANG": "C.UTF-8",
            "LC_ALL": "C.UTF-8",
            # xdg-open hands web addresses to $BROWSER; a test may set its own.
            "BROWSER": "/bin/true",
        })
        if display:
            env["DISPLAY"] = display
        return env

    def write_settings(self, text):
        with open(self.settings_file, "w", encoding="utf-8") as f:
            f.write(text)

    def read_settings(self):
        with open(self.settings_file, encoding="utf-8") as f:
            return f.read()

    def cleanup(self):
        for dirpath, dirnames, _ in os.walk(self.root):
            for d in dirnames:
                try:
                    os.chmod(os.path.join(dirpath, d), 0o755)
                except OSError:
                    pass
        shutil.rmtree(self.root, ignore_errors=True)


class XServer:
    """Xvfb on a free display, with openbox as the window manager."""

    def __init__(self, width=1280, height=1024, sandbox=None, window_manager=True):
        read_fd, write_fd = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", f"{width}x{height}x24",
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        with os.fdopen(read_fd) as f:
            number = f.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        self.display = f":{number}"
        self.width, self.height = width, height
        self.env = dict(sandbox.env(self.display) if sandbox else os.environ, DISPLAY=self.display)
        self.wm = None
        if window_manager:
            self.wm = subprocess.Popen(["openbox", "--sm-disable"], env=self.env,
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            wait_for(lambda: "_NET_SUPPORTING_WM_CHECK(WINDOW)" in self.xprop_root(
                "_NET_SUPPORTING_WM_CHECK"), what="openbox")

    def run(self, *args, check=True, timeout=20):
        return subprocess.run(list(args), env=self.env, capture_output=True, text=True,
                              check=check, timeout=timeout)

    def xprop_root(self, atom):
        return self.run("xprop", "-root", atom, check=False).stdout

    def workarea(self):
        """The first desktop's work area as (x, y, width, height)."""
        numbers = re.findall(r"\d+", self.xprop_root("_NET_WORKAREA").split("=", 1)[-1])
        return tuple(int(n) for n in numbers[:4]) if len(numbers) >= 4 else None

    def find_windows(self, name, visible_only=True):
        args = ["xdotool", "search"] + (["--onlyvisible"] if visible_only else []) + \
            ["--name", f"^{re.escape(name)}$"]
        out = self.run(*args, check=False).stdout.split()
        return [int(w) for w in out]

    def geometry(self, window):
        """(x, y, width, height) of a window on the root, without frame."""
        out = self.run("xwininfo", "-id", str(window)).stdout
        def field(label):
            return int(re.search(label + r":\s+(-?\d+)", out).group(1))
        return (field("Absolute upper-left X"), field("Absolute upper-left Y"),
                field("Width"), field("Height"))

    def window_property(self, window, atom):
        return self.run("xprop", "-id", str(window), atom, check=False).stdout

    def click(self, x, y, button=1):
        self.run("xdotool", "mousemove", str(x), str(y), "click", str(button))

    def screenshot(self, path):
        self.run("import", "-window", "root", path)
        return path

    def stop(self):
        for proc in (self.wm, self.xvfb):
            if proc and proc.poll() is None:
                proc.terminate()
                try:
                    proc.wait(5)
                except subprocess.TimeoutExpired:
                    proc.kill()
                    proc.wait()


class Sidebar:
    """One run of the program in a sandbox on a display."""

    def __init__(self, sandbox, xserver, extra_env=None):
        self.sandbox, self.xserver = sandbox, xserver
        env = sandbox.env(xserver.display if xserver else None)
        if xserver is None:
            env["QT_QPA_PLATFORM"] = "offscreen"
        env.update(extra_env or {})
        self.log_path = os.path.join(sandbox.root, f"sidebar-{time.monotonic_ns()}.log")
        self._log = open(self.log_path, "w")
        self.proc = subprocess.Popen([sandbox.executable], env=env, cwd=sandbox.home,
                                     stdout=self._log, stderr=subprocess.STDOUT)

    def wait_for_window(self, timeout=15):
        """The sidebar's X window id, once it is mapped and opaque."""
        def found():
            if self.proc.poll() is not None:
                raise AssertionError(f"the program ended early:\n{self.log()}")
            windows = self.xserver.find_windows(WINDOW_TITLE)
            return windows[0] if windows else None
        window = wait_for(found, timeout, what="the sidebar window")
        def opaque():
            value = self.xserver.window_property(window, "_NET_WM_WINDOW_OPACITY")
            return "4294967295" in value or "not found" in value
        wait_for(opaque, timeout, what="an opaque sidebar")
        return window

    def log(self):
        if not self._log.closed:
            self._log.flush()
        with open(self.log_path, encoding="utf-8", errors="replace") as f:
            return f.read()

    def wait_for_log(self, pattern, timeout=10):
        return wait_for(lambda: re.search(pattern, self.log()), timeout,
                        what=f"log line {pattern!r}")

    def stop(self, sig=signal.SIGTERM, timeout=15):
        """Ends the program with sig and returns its exit status."""
        if self.proc.poll() is None:
            self.proc.send_signal(sig)
        try:
            status = self.proc.wait(timeout)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            self.proc.wait()
            raise AssertionError(f"the program did not end on {sig}:\n{self.log()}")
        self._log.close()
        return status


class SidebarTestCase(unittest.TestCase):
    """A sandbox per test; start_x() and start_sidebar() clean up after themselves."""

    def setUp(self):
        self.sandbox = Sandbox()
        self.addCleanup(self.sandbox.cleanup)

    def start_x(self, width=1280, height=1024, window_manager=True):
        xserver = XServer(width, height, self.sandbox, window_manager)
        self.addCleanup(xserver.stop)
        return xserver

    def start_sidebar(self, xserver, extra_env=None):
        sidebar = Sidebar(self.sandbox, xserver, extra_env)
        def end():
            if sidebar.proc.poll() is None:
                sidebar.proc.kill()
                sidebar.proc.wait()
        self.addCleanup(end)
        return sidebar

    def artefact(self, name):
        """A path for a screenshot kept after the test (build/e2e-artefacts)."""
        folder = os.environ.get("LF_E2E_ARTEFACTS") or os.path.join(BIN_DIR, "..", "e2e-artefacts")
        os.makedirs(folder, exist_ok=True)
        return os.path.join(folder, name)
