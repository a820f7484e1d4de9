#!/usr/bin/python3
"""The window as a screen reader sees it: over AT-SPI, on a virtual X display.

Starts Xvfb, a D-Bus session with the accessibility bus of at-spi2-core, and the calculator
with accessibility on, then walks what the bus shows and works the window through it: the
keys are push buttons with names and a press action, the rows text entries named by their
lines, the total and the memory readable as text, the scroll bar a value; 7, "+" and 5
pressed through the bus give a total of 12, announced by text-changed events; the open/save
dialog shows its list with its entries.

Usage: window_over_atspi.py PADRIX-CALCULATOR
Exits 0 when every check holds, 1 when one fails (each failure on a line of its own), and 77
(a skip for ctest) where Xvfb, D-Bus, the accessibility bus or pyatspi cannot be had.
"""

import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import warnings

# Qt answers the older calls of the action interface, which the client calls deprecated.
warnings.filterwarnings("ignore", category=DeprecationWarning)

SKIP = 77
BUS_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"
QUIET = {"stdout": subprocess.DEVNULL, "stderr": subprocess.DEVNULL}


def skip(reason):
    print("SKIP: " + reason + " (Xvfb, dbus-daemon, at-spi2-core and python3-pyatspi are "
          "needed)")
    sys.exit(SKIP)


def end(processes):
    """Ends the helpers started here, in reverse order."""
    for process in reversed(processes):
        if process.poll() is None:
            try:
                os.killpg(process.pid, signal.SIGTERM)
                process.wait(timeout=5)
            except ProcessLookupError:
                process.wait()
            except subprocess.TimeoutExpired:
                os.killpg(process.pid, signal.SIGKILL)
                process.wait()


def wait_for(condition, seconds, step=0.1):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        result = condition()
        if result:
            return result
        time.sleep(step)
    return condition()


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    program = os.path.abspath(sys.argv[1])
    for tool in ("Xvfb", "dbus-daemon"):
        if shutil.which(tool) is None:
            skip(tool + " is not installed")
    if not os.access(BUS_LAUNCHER, os.X_OK):
        skip(BUS_LAUNCHER + " is not installed")

    processes = []

    def start(args, **kwargs):
        processes.append(subprocess.Popen(args, start_new_session=True, **kwargs))
        return processes[-1]

    home = tempfile.TemporaryDirectory()
    try:
        # A desktop of its own: settings in a temporary home, numbers and words in English.
        environment = dict(os.environ, HOME=home.name, XDG_CONFIG_HOME=home.name + "/config",
                           XDG_RUNTIME_DIR=home.name, LANG="C.UTF-8", LC_ALL="C.UTF-8",
                           LANGUAGE="")
        environment.pop("AT_SPI_BUS_ADDRESS", None)
        # Xvfb on a display number it picks itself.
        read_end, write_end = os.pipe()
        start(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
               "-nolisten", "tcp"], pass_fds=(write_end,), **QUIET)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            environment["DISPLAY"] = ":" + pipe.readline().strip()
        if environment["DISPLAY"] == ":":
            skip("Xvfb did not start")
        bus = start(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                    stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, env=environment,
                    text=True)
        environment["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().strip()
        if not environment["DBUS_SESSION_BUS_ADDRESS"]:
            skip("the D-Bus session bus did not start")
        start([BUS_LAUNCHER, "--launch-immediately"], env=environment, **QUIET)
        # The client reads the bus's address from the environment when it is first imported.
        os.environ.update(environment)
        try:
            import gi
            gi.require_version("Atspi", "2.0")
            from gi.repository import Atspi, GLib
            import pyatspi
        except (ImportError, ValueError) as error:
            skip("pyatspi cannot be imported: %s" % error)
        if wait_for(lambda: _desktop_answers(pyatspi), 10) is None:
            skip("the accessibility bus did not start")

        calculator = start([program], env=dict(environment, QT_QPA_PLATFORM="xcb",
                                               QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                                               QT_ACCESSIBILITY="1"),
                           cwd=home.name, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                           text=True)
        application = wait_for(lambda: _application(pyatspi, calculator.pid), 30, 0.2)
        if application is None:
            if calculator.poll() is not None:
                print("FAIL: the window ended at once: " + calculator.stderr.read().strip())
                return 1
            skip("the window did not appear on the accessibility bus")
        return Walk(pyatspi, Atspi, GLib, application).run()
    finally:
        end(processes)
        home.cleanup()


def _desktop_answers(pyatspi):
    try:
        pyatspi.Registry.getDesktop(0).childCount
        return True
    except Exception:  # the registry is not there yet
        return None


def _application(pyatspi, pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        application = desktop.getChildAtIndex(i)
        try:
            if application is not None and application.get_process_id() == pid and \
                    application.childCount > 0:
                return application
        except Exception:  # an application that went away meanwhile
            continue
    return None


class Walk:
    """The checks, each failure said once."""

    def __init__(self, pyatspi, atspi, glib, application):
        self.pyatspi = pyatspi
        self.Atspi = atspi
        self.GLib = glib
        self.application = application
        self.failures = []
        self.text_changes = []

    def check(self, condition, what):
        if not condition:
            self.failures.append(what)
            print("FAIL: " + what)
        return condition

    def nodes(self, root=None):
        """Every accessible under root, depth first."""
        found = []
        stack = [root or self.application]
        while stack:
            node = stack.pop()
            if node is None:
                continue
            found.append(node)
            try:
                stack.extend(reversed([node.getChildAtIndex(i) for i in range(node.childCount)]))
            except Exception:
                continue
        return found

    def showing(self, node):
        return node.getState().contains(self.pyatspi.STATE_SHOWING)

    def text_of(self, node):
        """A node's text through the text interface; None where it has none."""
        try:
            text = node.queryText()
        except NotImplementedError:
            return None
        return text.getText(0, text.characterCount)

    def actions(self, node):
        """The names of a node's actions, asked one by one: Qt answers no count of them."""
        names = []
        for i in range(8):
            try:
                names.append(self.Atspi.Action.get_action_name(node, i))
            except Exception:  # past the last action
                break
        return names

    def press(self, button):
        self.Atspi.Action.do_action(button, self.actions(button).index("Press"))

    def pump(self, seconds):
        """Lets the bus deliver its events for a while."""
        context = self.GLib.MainContext.default()
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            while context.iteration(False):
                pass
            time.sleep(0.02)

    def press_to_read(self, buttons, keys, node, expected, what):
        """Presses the keys by name through the bus and waits until node reads expected."""
        for name in keys:
            found = [b for b in buttons if b.name == name]
            if self.check(len(found) == 1, "one key named '%s'" % name):
                self.press(found[0])
                self.pump(0.2)
        if node is not None:
            read = wait_for(lambda: self.text_of(node) == expected and expected, 5)
            self.check(read == expected, what % self.text_of(node))

    def run(self):
        pyatspi = self.pyatspi
        all_nodes = self.nodes()
        frames = [n for n in all_nodes if n.getRole() == pyatspi.ROLE_FRAME]
        self.check(frames and frames[0].name == "Padrix Calculator 6",
                   "the window is a frame named 'Padrix Calculator 6'")
        buttons = [n for n in all_nodes
                   if n.getRole() == pyatspi.ROLE_PUSH_BUTTON and self.showing(n)]
        print("push buttons showing: %d" % len(buttons))
        self.check(len(buttons) >= 50, "at least 50 keys show as push buttons")
        names = {}
        for button in buttons:
            self.check(button.name, "a push button without a name")
            names.setdefault(button.name, []).append(button)
            self.check("Press" in self.actions(button), "'%s' has a press action" % button.name)
        for name, same in sorted(names.items()):
            self.check(len(same) == 1, "%d push buttons share the name '%s'" % (len(same), name))
        operator_labels = sorted(n for n in names if n.startswith("Operator of line "))
        self.check("Operator of line 1: addition; press to change" in operator_labels,
                   "the first row's operator label is named for its line and what it does")
        print("operator labels: %d, the first: %s" % (len(operator_labels),
                                                      operator_labels[:1]))

        rows = [n for n in all_nodes if n.name.startswith("Line ") and self.showing(n)]
        self.check(rows and all(n.getRole() in (pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY)
                                for n in rows), "the rows are text entries")
        self.check(any(n.name == "Line 1" for n in rows), "a row is named 'Line 1'")
        self.check(len(rows) == len(operator_labels),
                   "one operator label for each row (%d rows, %d labels)"
                   % (len(rows), len(operator_labels)))
        totals = [n for n in all_nodes if n.name == "Grand total"]
        memories = [n for n in all_nodes if n.name == "Memory"]
        scrolls = [n for n in all_nodes if n.getRole() == pyatspi.ROLE_SCROLL_BAR]
        if self.check(len(totals) == 1, "one 'Grand total'"):
            self.check(self.text_of(totals[0]) == "", "the empty tape's total is empty, not '%s'"
                       % self.text_of(totals[0]))
            self.check(totals[0].getState().contains(pyatspi.STATE_READ_ONLY) or
                       not totals[0].getState().contains(pyatspi.STATE_EDITABLE),
                       "the total cannot be typed into")
        if self.check(len(memories) == 1, "one 'Memory'"):
            self.check(self.text_of(memories[0]) == "0", "the memory reads 0 as text, not %r"
                       % self.text_of(memories[0]))
        if self.check(len(scrolls) >= 1, "a scroll bar"):
            value = scrolls[0].queryValue()
            self.check(value.minimumValue == 0 and value.currentValue == 0,
                       "the scroll bar shows its position and range")

        # 7 + 5 through the bus's press actions, the total read through its text; then M+
        # stores the row's 5, and the memory display reads it. Both say so.
        def listener(event):
            self.text_changes.append((event.type, event.source.name if event.source else ""))
        pyatspi.Registry.registerEventListener(listener, "object:text-changed")
        self.pump(0.5)
        self.press_to_read(buttons, ("7", "Addition", "5"), totals[0] if totals else None, "12",
                           "7 + 5 pressed through the bus gives a total of 12, not '%s'")
        self.press_to_read(buttons, ("M+",), memories[0] if memories else None, "5",
                           "M+ puts 5 into the memory, which reads '%s'")
        self.pump(1.0)
        for name in ("Grand total", "Memory"):
            changes = [e for e in self.text_changes if e[1] == name]
            print("text-changed events of '%s': %d" % (name, len(changes)))
            self.check(changes, "'%s' announces its new text (text-changed events)" % name)
        pyatspi.Registry.deregisterEventListener(listener, "object:text-changed")

        self.open_dialog()
        print("%d failure(s)" % len(self.failures))
        return 1 if self.failures else 0

    def open_dialog(self):
        """"Open Calculation..." pressed on the menu: the open/save dialog's list shows its
        entries. The press answers only when the modal dialog closes, so another client
        presses it while this one looks at the dialog and closes it."""
        pyatspi = self.pyatspi
        items = [n for n in self.nodes() if n.getRole() == pyatspi.ROLE_MENU_ITEM and
                 n.name == "Open Calculation..."]
        if not self.check(len(items) == 1, "the menu has 'Open Calculation...'"):
            return
        self.check("Press" in self.actions(items[0]), "'Open Calculation...' has a press action")
        presser = subprocess.Popen([sys.executable, os.path.abspath(__file__), "--press-menu-item",
                                    str(self.application.get_process_id()),
                                    "Open Calculation..."])
        try:
            self.look_at_dialog()
        finally:
            try:
                presser.wait(timeout=30)
            except subprocess.TimeoutExpired:
                presser.kill()
                presser.wait()

    def look_at_dialog(self):
        pyatspi = self.pyatspi
        files = wait_for(lambda: next((n for n in self.nodes()
                                       if n.getRole() == pyatspi.ROLE_LIST and
                                       n.childCount > 0 and self.showing(n)), None), 10, 0.3)
        if not self.check(files is not None, "'Open Calculation...' shows the dialog's list"):
            return
        entries = [files.getChildAtIndex(i) for i in range(files.childCount)]
        print("file list entries: %d, the first: %s" % (len(entries),
                                                       [(e.name, e.description)
                                                        for e in entries[:3]]))
        self.check(all(e.getRole() == pyatspi.ROLE_LIST_ITEM and e.name for e in entries),
                   "every entry of the file list is a named list item")
        self.check(any(e.name == ".." for e in entries), "the file list shows '..'")
        self.check(all(e.description in ("folder", "drive", "file") for e in entries),
                   "every entry says its kind (folder, drive or file)")
        title = [n for n in self.nodes() if n.getRole() == pyatspi.ROLE_DIALOG]
        self.check(title and title[0].name.startswith("Open Calculation"),
                   "the dialog is named 'Open Calculation'")
        cancel = [n for n in self.nodes(title[0] if title else None)
                  if n.getRole() == pyatspi.ROLE_PUSH_BUTTON and n.name == "Cancel"]
        if self.check(len(cancel) == 1, "the dialog has a 'Cancel' key"):
            self.press(cancel[0])


def press_menu_item(pid, name):
    """Presses the named menu item of the application with that process id, and waits."""
    import gi
    gi.require_version("Atspi", "2.0")
    from gi.repository import Atspi
    import pyatspi
    walk = Walk(pyatspi, Atspi, None, _application(pyatspi, pid))
    for node in walk.nodes():
        if node.getRole() == pyatspi.ROLE_MENU_ITEM and node.name == name:
            try:
                walk.press(node)
            except Exception:  # the answer came late: the dialog was open meanwhile
                pass
            return 0
    return 1


if __name__ == "__main__":
    if len(sys.argv) == 4 and sys.argv[1] == "--press-menu-item":
        sys.exit(press_menu_item(int(sys.argv[2]), sys.argv[3]))
    sys.exit(main())
