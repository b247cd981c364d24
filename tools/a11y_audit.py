#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Counts the focusable controls of the desktop program that a screen reader cannot name.

It walks the real accessibility tree (AT-SPI over D-Bus) of the main window, every dialog, the
transfer window and the help window, as `dialog_screenshots --step` shows them one at a time:

    tools/a11y_audit.py [build/default/tools/dialog_screenshots]

Without a display it starts itself under xvfb-run and dbus-run-session, then starts the
accessibility bus and turns Qt's accessibility on. A control's name is the text of the labels it is
labelled by (Qt on Linux names a combo box by its chosen entry and links its label that way),
else its own name. It counts as unnamed when that is empty, holds no letter, is the value it shows (a list announced as "Off"), or is shared with
another control of the same kind in the same group. A list's entries and a table's cells are
content, not controls of their own. The grid is checked as a table: its name,
a cell's name and its row and column headers, and a frequency typed into it must be announced. Exit status 1 when anything is unnamed or wrong.
Needs python3-pyatspi, at-spi2-core, xvfb, xdotool and dbus.
"""

import os
import subprocess
import sys
import time
from collections import Counter

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DEFAULT_TOOL = os.path.join(ROOT, "build", "default", "tools", "dialog_screenshots")
BUS_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"


def reexec_in_session(tool):
    os.environ["TALVIREX_A11Y_SESSION"] = "1"
    command = ["xvfb-run", "-a", "-s", "-screen 0 1280x800x24", "dbus-run-session", "--",
               sys.executable, os.path.abspath(__file__), tool]
    sys.exit(subprocess.call(command))


# Controls whose children are their content (entries, rows, cells), not controls of their own.
CONTAINERS = {"combo box", "list", "table", "tree", "tree table"}


def descendants(node, depth=0):
    """Every accessible below `node`, not descending into a list's entries or a table's cells."""
    for child in node:
        if child is None:
            continue
        yield child
        if child.getRoleName() not in CONTAINERS and depth < 60:
            yield from descendants(child, depth + 1)


def entry_names(node):
    """The names of a combo box's entries: a list named by one of them is named by its value."""
    return {item.name.strip() for child in node if child is not None and
            child.getRoleName() == "list" for item in child if item is not None}


def spoken_name(node):
    """The name a screen reader speaks: its labels' (a label whose buddy it is), else its own.
    A frame around it is a label too, but names the group, not the control."""
    targets = [relation.getTarget(i) for relation in node.getRelationSet()
               if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY
               for i in range(relation.getNTargets())]
    labels = [t.name.strip() for t in targets if t is not None and t.getRoleName() == "label"]
    labelled = " ".join(label for label in labels if label)
    return labelled, labelled or node.name.strip()


def audit_window(window):
    """(focusable controls, [(role, name, why)] of those without a usable name)."""
    controls = [n for n in descendants(window)
                if n.getState().contains(pyatspi.STATE_FOCUSABLE)]
    key = lambda n: (n.getRoleName(), spoken_name(n)[1], n.parent)  # noqa: E731
    names = Counter(key(n) for n in controls)
    unnamed = []
    for node in controls:
        role, (label, name) = node.getRoleName(), spoken_name(node)
        if not name:
            why = "empty"
        elif not any(c.isalpha() for c in name):
            why = "no word"
        elif role == "combo box" and not label and name in entry_names(node):
            why = "its value"
        elif names[key(node)] > 1:
            why = "shared"
        else:
            continue
        unnamed.append((role, name, why))
    return controls, unnamed


def check_grid(window):
    """Faults of the grid as a table: its name, the cell of channel 3's frequency and headers."""
    tables = [n for n in descendants(window) if n.getRoleName() == "table"]
    if not tables:
        return ["no table"]
    grid, faults = tables[0], []
    if not grid.name.startswith("Bank 1"):
        faults.append(f"grid named {grid.name!r}")
    table = grid.queryTable()
    cell = table.getAccessibleAt(2, 0)
    expected = "Channel 3, Freq. (MHz), 146.5200"
    if cell is None or cell.name != expected:
        faults.append(f"cell named {cell.name if cell else None!r}, not {expected!r}")
    column, row = table.getColumnHeader(0), table.getRowHeader(2)
    if column is None or column.name != "Freq. (MHz)":
        faults.append(f"column header {column.name if column else None!r}")
    if row is None or row.name != "Channel 3":
        faults.append(f"row header {row.name if row else None!r}")
    return faults


def check_stored_value_heard(window):
    """Types a frequency into channel 1 from the keyboard; faults unless the cell's new name
    (its value) was announced."""
    from gi.repository import GLib
    heard = []
    listener = lambda event: heard.append(event.source.name)  # noqa: E731
    pyatspi.Registry.registerEventListener(listener, "object:property-change:accessible-name")
    xid = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "SC200"],
                         capture_output=True, text=True).stdout.split()
    if xid:
        subprocess.run(["xdotool", "windowfocus", "--sync", xid[0]], check=False)
        subprocess.run(["xdotool", "type", "--delay", "20", "162.55"], check=False)
        subprocess.run(["xdotool", "key", "Return"], check=False)
    expected = "Channel 1, Freq. (MHz), 162.5500"
    end = time.time() + 5
    while time.time() < end and expected not in heard:
        GLib.MainContext.default().iteration(False)
        time.sleep(0.01)
    pyatspi.Registry.deregisterEventListener(listener, "object:property-change:accessible-name")
    return [] if expected in heard else [f"no announcement of {expected!r} (heard {heard})"]


def find_window(app, name_hint, timeout=10.0):
    """The application's showing window (the one just shown)."""
    end = time.time() + timeout
    while time.time() < end:
        shown = [w for w in app if w is not None and w.getState().contains(pyatspi.STATE_SHOWING)]
        if shown:
            return shown[-1]
        time.sleep(0.2)
    raise SystemExit(f"a11y_audit: window {name_hint} never showed")


def find_application(pid, timeout=15.0):
    end = time.time() + timeout
    while time.time() < end:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.get_process_id() == pid:
                return app
        time.sleep(0.2)
    raise SystemExit("a11y_audit: the program never appeared on the accessibility bus")


def main():
    tool = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else DEFAULT_TOOL)
    if not os.environ.get("TALVIREX_A11Y_SESSION"):
        reexec_in_session(tool)
    bus = subprocess.Popen([BUS_LAUNCHER, "--launch-immediately"])
    time.sleep(1)
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1")
    gallery = subprocess.Popen([tool, "--step"], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                               env=env, text=True)
    total, bad, faults = 0, [], []
    try:
        first = gallery.stdout.readline().strip()
        app = find_application(gallery.pid)
        name = first
        while name:
            time.sleep(0.3)  # the window's first layout and the bridge's cache
            window = find_window(app, name)
            controls, unnamed = audit_window(window)
            total += len(controls)
            bad += [(name, *u) for u in unnamed]
            if name == "memtab":
                faults += check_grid(window) + check_stored_value_heard(window)
            print(f"{name:24} {len(controls):3} focusable, {len(unnamed):2} without a usable name")
            gallery.stdin.write("\n")
            gallery.stdin.flush()
            name = gallery.stdout.readline().strip()
    finally:
        gallery.stdin.close()
        gallery.wait(timeout=30)
        bus.terminate()
    for window, role, name, why in bad:
        print(f"  {window}: {role} {name!r} ({why})")
    for fault in faults:
        print(f"  grid: {fault}")
    print(f"a11y_audit: {total} focusable controls, {len(bad)} without a usable name "
          f"({100.0 * len(bad) / max(total, 1):.0f} %), {len(faults)} grid faults")
    return 1 if bad or faults else 0


if __name__ == "__main__":
    if os.environ.get("TALVIREX_A11Y_SESSION"):
        import pyatspi  # noqa: E402 (only inside the session it starts)
    sys.exit(main())
