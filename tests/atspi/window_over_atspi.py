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


def skip(reason):
    print("SKIP: " + reason + " (Xvfb, dbus-daemon, at-spi2-core and python3-pyatspi are "
          "needed)")
    sys.exit(SKIP)


class Processes:
    """The helpers started here, ended in reverse order whatever happens."""

    def __init__(self):
        self.started = []

    def start(self, args, **kwargs):
        process = subprocess.Popen(args, start_new_session=True, **kwargs)
        self.started.append(process)
        return process

    def end(self):
        for process in reversed(self.started):
            if process.poll() is None:
                try:
                    os.killpg(process.pid, signal.SIGTERM)
                except ProcessLookupError:
                    pass
                try:
                    process.wait(timeout=5)
                except subprocess.TimeoutExpired:
                    os.killpg(process.pid, signal.SIGKILL)
                    process.wait()


def start_display(processes):
    """Xvfb on a display number it picks itself; returns ":N"."""
    read_end, write_end = os.pipe()
    processes.start(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
                     "-nolisten", "tcp"], pass_fds=(write_end,), stdout=subprocess.DEVNULL,
                    stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as pipe:
        number = pipe.readline().strip()
    if not number:
        skip("Xvfb did not start")
    return ":" + number


def start_session_bus(processes, environment):
    """A D-Bus session bus of its own; returns its address."""
    bus = processes.start(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                          stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, env=environment,
                          text=True)
    address = bus.stdout.readline().strip()
    if not address:
        skip("the D-Bus session bus did not start")
    return address


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

    processes = Processes()
    home = tempfile.TemporaryDirectory()
    try:
        environment = dict(os.environ)
        # A desktop of its own: settings in a temporary home, numbers and words in English.
        environment.update({"HOME": home.name, "XDG_CONFIG_HOME": home.name + "/config",
                            "XDG_RUNTIME_DIR": home.name, "LANG": "C.UTF-8",
                            "LC_ALL": "C.UTF-8", "LANGUAGE": ""})
        environment["DISPLAY"] = start_display(processes)
        environment["DBUS_SESSION_BUS_ADDRESS"] = start_session_bus(processes, environment)
        environment.pop("AT_SPI_BUS_ADDRESS", None)
        processes.start([BUS_LAUNCHER, "--launch-immediately"], env=environment,
                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
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

        window_environment = dict(environment, QT_QPA_PLATFORM="xcb",
                                  QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                                  QT_ACCESSIBILITY="1")
        calculator = processes.start([program], env=window_environment, cwd=home.name,
                                     stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        application = wait_for(lambda: _application(pyatspi, calculator.pid), 30, 0.2)
        if application is None:
            if calculator.poll() is not None:
                print("FAIL: the window ended at once: " + calculator.stderr.read().strip())
                return 1
            skip("the window did not appear on the accessibility bus")
        return Walk(pyatspi, Atspi, GLib, application).run()
    finally:
        processes.end()
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
        """Every accessible under root that shows, depth first."""
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

    def named(self, role, name, root=None):
        return [n for n in self.nodes(root) if n.getRole() == role and n.name == name]

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

    def run(self):
        pyatspi = self.pyatspi
        frames = [n for n in self.nodes() if n.getRole() == pyatspi.ROLE_FRAME]
        self.check(frames and frames[0].name == "Padrix Calculator 6",
                   "the window is a frame named 'Padrix Calculator 6'")
        all_nodes = self.nodes()
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

        # 7 + 5 through the bus's press actions, the total read through its text.
        def listener(event):
            self.text_changes.append((event.type, event.source.name if event.source else ""))
        pyatspi.Registry.registerEventListener(listener, "object:text-changed")
        self.pump(0.5)
        for name in ("7", "Addition", "5"):
            found = [b for b in buttons if b.name == name]
            if self.check(len(found) == 1, "one key named '%s'" % name):
                self.press(found[0])
                self.pump(0.2)
        if totals:
            total = wait_for(lambda: self.text_of(totals[0]) == "12" and "12", 5)
            self.check(total == "12", "7 + 5 pressed through the bus gives a total of 12, not '%s'"
                       % self.text_of(totals[0]))
        # M+ stores the row's 5; the memory display reads it and says so.
        stores = [b for b in buttons if b.name == "M+"]
        if self.check(len(stores) == 1, "one key named 'M+'") and memories:
            self.press(stores[0])
            memory = wait_for(lambda: self.text_of(memories[0]) == "5" and "5", 5)
            self.check(memory == "5", "M+ puts 5 into the memory, which reads '%s'"
                       % self.text_of(memories[0]))
        self.pump(1.0)
        for name in ("Grand total", "Memory"):
            changes = [e for e in self.text_changes if e[1] == name]
            print("text-changed events of '%s': %d" % (name, len(changes)))
            self.check(changes, "'%s' announces its new text (text-changed events)" % name)
        pyatspi.Registry.deregisterEventListener(listener, "object:text-changed")

        self.open_dialog(buttons)
        print("%d failure(s)" % len(self.failures))
        return 1 if self.failures else 0

    def open_dialog(self, buttons):
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

        def dialog_list():
            for node in self.nodes():
                if node.getRole() == pyatspi.ROLE_LIST and node.childCount > 0 and \
                        self.showing(node):
                    return node
            return None
        files = wait_for(dialog_list, 10, 0.3)
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
    application = _application(pyatspi, pid)
    walk = Walk(pyatspi, Atspi, None, application)
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
