#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Kestrune as a screen reader meets it: the installed program (build/bin/kestrune) on a real
desktop, real keys through the X server (xdotool), and everything read back through the
accessibility bus (AT-SPI), as Orca reads it. Run by run-on-desktop.sh --accessibility.

F1 runs on a desktop whose xdg-open shows nothing: the guide must open in the program's own window.

Usage: screen_reader.py KESTRUNE
Needs Debian's python3-pyatspi (so /usr/bin/python3), xdotool and xprop."""

import os
import shutil
import subprocess
import sys
import tempfile
import time

try:
    import pyatspi
except ImportError:
    print("SKIPPED: pyatspi is not installed (package python3-pyatspi)")
    sys.exit(0)
if not shutil.which("xdotool") or not shutil.which("xprop"):
    print("SKIPPED: xdotool or xprop is not installed (packages xdotool, x11-utils)")
    sys.exit(0)

failures = []


def check(condition, what):
    print(("ok   " if condition else "FAIL ") + what)
    if not condition:
        failures.append(what)


def wait_for(find, seconds=10):
    """Asks `find` again until it gives something, or gives up after `seconds`."""
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        try:
            found = find()
        except Exception:  # the bus may be between two states of the tree
            found = None
        if found:
            return found
        time.sleep(0.1)
    return None


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for index in range(desktop.childCount):
        app = desktop.getChildAtIndex(index)
        if app is not None and app.name == "Kestrune" and app.childCount:
            return app
    return None


def window(app, title_start, roles):
    for index in range(app.childCount):
        child = app.getChildAtIndex(index)
        if child is not None and child.name.startswith(title_start) and child.getRoleName() in roles:
            return child
    return None


def control(root, name):
    return pyatspi.findDescendant(root, lambda node: node is not None and node.name == name)


def text_of(node):
    text = node.queryText()
    return text.getText(0, text.characterCount)


def keys(*sequence):
    subprocess.run(["xdotool", "key", "--delay", "40", *sequence], check=True)


def type_text(text):
    subprocess.run(["xdotool", "type", "--delay", "40", text], check=True)


def answer_message(app, title):
    """Waits for the message box titled `title`, returns its text and presses Enter on it."""
    box = wait_for(lambda: window(app, title, ("alert", "dialog")))
    if box is None:
        return None
    label = pyatspi.findDescendant(box, lambda node: node is not None and node.getRoleName() == "label" and len(node.name) > 20)
    said = label.name if label is not None else ""
    keys("Return")
    wait_for(lambda: window(app, title, ("alert", "dialog")) is None)
    return said


def main():
    # A desktop whose xdg-open finds no graphical browser: it starts, succeeds and shows nothing.
    no_browser = tempfile.mkdtemp()
    opener = os.path.join(no_browser, "xdg-open")
    with open(opener, "w") as stub:
        stub.write("#!/bin/sh\nexit 0\n")
    os.chmod(opener, 0o755)
    environment = dict(os.environ, PATH=no_browser + os.pathsep + os.environ.get("PATH", ""))
    environment.pop("BROWSER", None)
    program = subprocess.Popen([sys.argv[1]], env=environment)
    try:
        app = wait_for(application, 20)
        check(app is not None, "the program is on the accessibility bus")
        if app is None:
            return
        main_window = wait_for(lambda: window(app, "Tolvane", ("frame",)))
        check(main_window is not None, "the main window is a window named by its title")
        if main_window is None:
            return
        projection = control(main_window, "Length of the horizontal projection, feet")
        wait_for(lambda: projection.getState().contains(pyatspi.STATE_FOCUSED))
        check(projection.getState().contains(pyatspi.STATE_FOCUSED), "the focus starts in the projection box")

        # The imperial worked example with a width of 50 inches first: leaving the width box
        # brings up the warning, and the focus comes back to the box.
        type_text("100")
        keys("Tab")
        type_text("50")
        keys("Tab")
        type_text("50")
        keys("Tab")
        said = answer_message(app, "Incorrect Step Width")
        check(said == "The width of a step tread shall be not less than 22 inches nor more than 40 inches.",
              "the width warning reads its sentence (%r)" % said)
        width = control(main_window, "Width of the escalator step, inches")
        check(wait_for(lambda: width.getState().contains(pyatspi.STATE_FOCUSED)) is not None,
              "the focus is back in the width box")
        type_text("40")
        keys("Return")
        structural = control(main_window, "Structural rated load, pounds")
        check(wait_for(lambda: text_of(structural) == "22080") is not None,
              "the structural rated load reads 22080 (%r)" % text_of(structural))
        check(text_of(control(main_window, "Length of the horizontal projection, meters")) == "30.4800",
              "the metric twin of the projection reads 30.4800")

        # The frame offers no maximise: neither the function nor its button.
        window_id = subprocess.run(["xdotool", "search", "--name", "^Tolvane"], check=True,
                                   capture_output=True, text=True).stdout.split()[0]
        hints = subprocess.run(["xprop", "-id", window_id, "_MOTIF_WM_HINTS"], check=True,
                               capture_output=True, text=True).stdout
        fields = [int(value, 16) for value in hints.split("=")[1].split(",")]
        check(not (fields[1] & 0x10) and not (fields[2] & 0x40), "the main window offers no maximise (%s)" % hints.strip())

        # The triangle window, opened, closed and opened again.
        for opening in ("opened", "opened again"):
            keys("ctrl+r")
            triangle = wait_for(lambda: window(app, "Trigonometric Functions in a Right-Angled Triangle", ("frame", "window", "filler")))
            check(triangle is not None and triangle.getRoleName() in ("frame", "window"),
                  "the triangle window, %s, is a window named by its title (%s)"
                  % (opening, triangle.getRoleName() if triangle else "not found"))
            if triangle is None:
                return
            side = control(triangle, "Row 1, side a")
            check(wait_for(lambda: side.getState().contains(pyatspi.STATE_FOCUSED)) is not None,
                  "its focus is in row 1, side a")
            keys("alt+F4")
            check(wait_for(lambda: window(app, "Trigonometric", ("frame", "window", "filler")) is None) is not None,
                  "closing it removes it")

        # F1 shows the user guide in a window of the program's own, browser or not.
        keys("F1")
        guide = wait_for(lambda: window(app, "Kestrune User Guide", ("frame", "window")))
        check(guide is not None, "F1 shows the help window, named by its title")
        if guide is None:
            return
        page = wait_for(lambda: control(guide, "User guide"))
        check(page is not None and "Copy Results" in text_of(page), "the help window reads the guide")
        keys("alt+F4")
        check(wait_for(lambda: window(app, "Kestrune User Guide", ("frame", "window")) is None) is not None,
              "closing the help window removes it")
    finally:
        program.kill()
        program.wait()


main()
if failures:
    print("%d checks failed" % len(failures))
    sys.exit(1)
print("all checks passed")
