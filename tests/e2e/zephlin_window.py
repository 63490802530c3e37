"""Drives the real Zephlin_AP window through its accessibility tree.

A Desktop starts what the window needs and stops it again: an Xvfb display,
a D-Bus session bus and the AT-SPI bus with its registry. A Session runs
Zephlin_AP on it (a private copy in the session's folder, so that its
Setting.ini is the session's own), with accessibility switched on. Controls
are found by the names a screen reader speaks, pressed through their
accessible actions, and read through their text.

    with Desktop(folder) as desktop:
        with Session(desktop, program, folder, settings={"Language": 1}) as window:
            window.press("Check ID")
            window.wait_for_log(lambda log: "Check ID =>" in log, "Check ID")
            print(window.log_text())

Every wait is bounded; a step that does not happen in time raises
StepTimeout with what the window showed, so a broken run fails instead of
hanging.
"""

import os
import shutil
import signal
import subprocess
import tempfile
import time

DEFAULT_TIMEOUT = 30.0
AT_SPI_BUS_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"


class StepTimeout(AssertionError):
    pass


def _wait_until(condition, timeout, what):
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise StepTimeout(f"timed out after {timeout:.0f} s waiting for {what}")
        time.sleep(0.05)


class _Started:
    """Started on entering a with block, stopped on leaving it, even half started."""

    def __enter__(self):
        try:
            self._start()
        except BaseException:
            self._stop()
            raise
        return self

    def __exit__(self, *exc):
        self._stop()
        return False


class Desktop(_Started):
    """A private display with a D-Bus session bus and the AT-SPI bus.

    One per test process: the AT-SPI client library keeps its first bus.
    """

    def __init__(self, folder):
        self.folder = folder
        self.environment = None
        self.atspi = None
        self._processes = []

    def spawn(self, arguments, **options):
        process = subprocess.Popen(arguments, env=self.environment, start_new_session=True,
                                   **options)
        self._processes.append(process)
        return process

    def _start(self):
        environment = dict(os.environ)
        for name in ("DBUS_SESSION_BUS_ADDRESS", "AT_SPI_BUS_ADDRESS", "WAYLAND_DISPLAY"):
            environment.pop(name, None)
        runtime = tempfile.mkdtemp(prefix="runtime-", dir=self.folder)
        os.chmod(runtime, 0o700)
        environment["XDG_RUNTIME_DIR"] = runtime
        self.environment = environment

        # The display: Xvfb chooses a free number and writes it to a pipe.
        read_end, write_end = os.pipe()
        self.spawn(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
                    "-nolisten", "tcp"], pass_fds=(write_end,), stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            number = pipe.readline().strip()
        if not number:
            raise StepTimeout("Xvfb did not start")
        environment["DISPLAY"] = ":" + number

        bus = self.spawn(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                         stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        address = bus.stdout.readline().strip()
        if not address:
            raise StepTimeout("dbus-daemon did not start")
        environment["DBUS_SESSION_BUS_ADDRESS"] = address
        self.spawn([AT_SPI_BUS_LAUNCHER, "--launch-immediately"], stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)

        # The AT-SPI client library reads the buses from this process's
        # environment when it first connects.
        for name in ("DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "XDG_RUNTIME_DIR"):
            os.environ[name] = environment[name]
        import gi
        gi.require_version("Atspi", "2.0")
        from gi.repository import Atspi
        self.atspi = Atspi

    def _stop(self):
        for process in reversed(self._processes):
            if process.poll() is None:
                try:
                    os.killpg(process.pid, signal.SIGTERM)
                except ProcessLookupError:
                    pass
        for process in reversed(self._processes):
            try:
                process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                os.killpg(process.pid, signal.SIGKILL)
                process.wait()
        self._processes.clear()

    def run(self, arguments, timeout=DEFAULT_TIMEOUT):
        subprocess.run(arguments, env=self.environment, check=True, timeout=timeout,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


class Session(_Started):
    """One run of Zephlin_AP on a desktop, with its own program folder."""

    def __init__(self, desktop, program, folder, writer_arguments=("--writer=sim",),
                 settings=None, timeout=DEFAULT_TIMEOUT):
        self.desktop = desktop
        self._atspi = desktop.atspi
        self.program = program
        self.folder = folder
        self.writer_arguments = list(writer_arguments)
        self.settings = settings or {}
        self.timeout = timeout
        self._app_process = None
        self.output = None
        self.app = None
        self.window = None

    def _start(self):
        copy = os.path.join(self.folder, os.path.basename(self.program))
        shutil.copy2(self.program, copy)
        if self.settings:
            with open(os.path.join(self.folder, "Setting.ini"), "w", encoding="utf-8") as ini:
                ini.write("[Setting]\n")
                for key, value in self.settings.items():
                    ini.write(f"{key}={value}\n")
        environment = dict(self.desktop.environment)
        environment["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        environment["QT_ACCESSIBILITY"] = "1"
        environment["QT_QPA_PLATFORM"] = "xcb"
        self.output = open(os.path.join(self.folder, "Zephlin_AP.log"), "w", encoding="utf-8")
        self._app_process = subprocess.Popen([copy, *self.writer_arguments], env=environment,
                                             start_new_session=True, stdout=self.output,
                                             stderr=subprocess.STDOUT)
        self.app = _wait_until(self._find_application, self.timeout,
                               "Zephlin_AP on the accessibility bus")
        self.window = _wait_until(lambda: self._top_level("veltrix Zephlin"), self.timeout,
                                  "the main window")

    def _stop(self):
        process = self._app_process
        if process is not None and process.poll() is None:
            os.killpg(process.pid, signal.SIGTERM)
            try:
                process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                os.killpg(process.pid, signal.SIGKILL)
                process.wait()
        if self.output is not None:
            self.output.close()

    def _find_application(self):
        desktop = self._atspi.get_desktop(0)
        for index in range(desktop.get_child_count()):
            child = desktop.get_child_at_index(index)
            if child is not None and child.get_process_id() == self._app_process.pid:
                return child
        if self._app_process.poll() is not None:
            raise StepTimeout(f"Zephlin_AP ended with status {self._app_process.returncode}")
        return None

    def _top_level(self, name_start):
        for index in range(self.app.get_child_count()):
            child = self.app.get_child_at_index(index)
            if child is not None and (child.get_name() or "").startswith(name_start):
                return child
        return None

    # -- finding controls -----------------------------------------------------

    def _descendants(self, root):
        stack = [root]
        while stack:
            node = stack.pop()
            yield node
            try:
                count = node.get_child_count()
            except Exception:  # a control that went away while walking
                continue
            for index in range(count - 1, -1, -1):
                child = node.get_child_at_index(index)
                if child is not None:
                    stack.append(child)

    def _showing(self, node):
        return node.get_state_set().contains(self._atspi.StateType.SHOWING)

    def find(self, name, role=None, root=None, showing=True):
        """The first control below root (the main window) with this name."""
        root = root or self.window
        for node in self._descendants(root):
            try:
                if node.get_name() != name:
                    continue
                if role is not None and node.get_role_name() != role:
                    continue
                if showing and not self._showing(node):
                    continue
                return node
            except Exception:
                continue
        return None

    def wait_for(self, name, role=None, root=None, timeout=None):
        return _wait_until(lambda: self.find(name, role, root), timeout or self.timeout,
                           f"a control named {name!r}")

    def dialog(self, title, timeout=None):
        """A window of the program other than the main window, by its title."""
        return _wait_until(lambda: self._top_level(title), timeout or self.timeout,
                           f"the dialog {title!r}")

    def enabled(self, control):
        return control.get_state_set().contains(self._atspi.StateType.ENABLED)

    def checked(self, control):
        return control.get_state_set().contains(self._atspi.StateType.CHECKED)

    def press(self, name, root=None, timeout=None):
        """Presses the button with this name once it is enabled."""
        control = self.wait_for(name, "push button", root, timeout)
        _wait_until(lambda: self.enabled(control), timeout or self.timeout,
                    f"the button {name!r} to be enabled")
        actions = control.get_action_iface()
        for index in range(actions.get_n_actions()):
            if actions.get_action_name(index) in ("Press", "press", "click"):
                actions.do_action(index)
                return control
        raise StepTimeout(f"the button {name!r} offers no press action")

    def text_of(self, control):
        text = control.get_text_iface()
        return text.get_text(0, text.get_character_count())

    # -- the Message panel ----------------------------------------------------

    def log_text(self):
        """The text of the Message panel (its name is its group's title)."""
        panel = self.find("Message", "text") or self.find("消息框", "text")
        if panel is None:
            raise StepTimeout("no Message panel")
        return self.text_of(panel)

    def wait_for_log(self, condition, what, timeout=None):
        return _wait_until(lambda: condition(self.log_text()), timeout or self.timeout,
                           what + "; the log shows:\n" + self._safe_log())

    def _safe_log(self):
        try:
            return self.log_text()
        except Exception as error:  # the description of a failure must not fail
            return f"(unreadable: {error})"

    # -- the keyboard, the screen and the end ---------------------------------

    def key(self, keysym, over=None):
        """Types a key into the window under the pointer (over: a control)."""
        if over is not None:
            extents = over.get_extents(self._atspi.CoordType.SCREEN)
            self._run(["xdotool", "mousemove", "--sync", str(extents.x + extents.width // 2),
                       str(extents.y + extents.height // 2)])
        self._run(["xdotool", "key", keysym])

    def screenshot(self, path, window=None):
        """A PNG of the screen, or of one window (a top-level control)."""
        arguments = ["import", "-window", "root"]
        if window is not None:
            extents = window.get_extents(self._atspi.CoordType.SCREEN)
            arguments += ["-crop", f"{extents.width}x{extents.height}+{extents.x}+{extents.y}",
                          "+repage"]
        self._run(arguments + [path])

    def _run(self, arguments):
        self.desktop.run(arguments, self.timeout)

    def wait_for_exit(self, timeout=None):
        """The program's exit status once its window has closed."""
        try:
            return self._app_process.wait(timeout=timeout or self.timeout)
        except subprocess.TimeoutExpired as error:
            raise StepTimeout("Zephlin_AP did not end") from error
