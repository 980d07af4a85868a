#!/usr/bin/python3
"""usage: wayland.sh GAME (which runs this inside weston and a D-Bus session)

Starts the game on Wayland, makes a new 20 x 12 board through the accessibility
interfaces (there is no pointer or keyboard to drive on a headless compositor), and
checks from the compositor's screenshots that the window is whole on the screen.
"""
import glob
import os
import subprocess
import sys
import time

import pyatspi

from checks import check, failures

SCREEN = (1280, 800)


def wait_for(find, seconds=10.0):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        try:
            found = find()
            if found:
                return found
        except Exception:
            pass
        time.sleep(0.2)
    return None


def walk(accessible, depth=0):
    yield accessible
    if depth >= 14 or accessible.getRole() == pyatspi.ROLE_TABLE:
        return
    for index in range(accessible.childCount):
        child = accessible.getChildAtIndex(index)
        if child is not None:
            yield from walk(child, depth + 1)


def find(root, role, name):
    return next((a for a in walk(root) if a.getRole() == role and a.name == name), None)


def press(accessible):
    try:
        accessible.queryAction().doAction(0)
    except Exception:
        pass  # an action that opens a modal message answers when the message closes


def window_on_screen():
    """The bounds of everything the compositor shows on its black background."""
    for old in glob.glob("wayland-screenshot-*.png"):
        os.unlink(old)
    subprocess.run(["weston-screenshooter"], check=True, timeout=20)
    shot = glob.glob("wayland-screenshot-*.png")[0]
    trimmed = subprocess.run(["convert", shot, "-trim", "-format", "%w %h %X %Y", "info:"],
                             capture_output=True, text=True, check=True).stdout.split()
    width, height, left, top = (int(v.lstrip("+")) for v in trimmed)
    return left, top, width, height


def main():
    env = dict(os.environ, QT_QPA_PLATFORM="wayland", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    env.pop("DISPLAY", None)
    game = subprocess.Popen([sys.argv[1]], env=env)
    try:
        desktop = pyatspi.Registry.getDesktop(0)
        app = wait_for(lambda: next((a for a in desktop if a is not None and a.name == "Vantirelle"), None), 20)
        if not check(app is not None, "the game starts on Wayland"):
            return
        time.sleep(1)
        left, top, width, height = window_on_screen()
        print(f"     the 3 x 3 window shows at {left},{top}, {width} x {height}")
        custom = wait_for(lambda: find(app, pyatspi.ROLE_MENU_ITEM, "Custom..."))
        if not check(custom is not None, "the Custom... menu item"):
            return
        press(custom)
        yes = wait_for(lambda: find(app, pyatspi.ROLE_PUSH_BUTTON, "Yes"))
        if not check(yes is not None, "the question before a new game"):
            return
        press(yes)
        bars = [wait_for(lambda n=n: find(app, pyatspi.ROLE_SCROLL_BAR, n)) for n in ("Custom Width", "Custom Height")]
        if not check(all(bars), "scroll bars named Custom Width and Custom Height"):
            return
        for bar, value in zip(bars, (20, 12)):
            bar.queryValue().currentValue = value
        values = [(b.queryValue().minimumValue, b.queryValue().currentValue, b.queryValue().maximumValue) for b in bars]
        check(wait_for(lambda: [b.queryValue().currentValue for b in bars] == [20, 12], 5) is not None,
              f"the scroll bars read 20 and 12 as numbers (least, now, most: {values})")
        press(find(app, pyatspi.ROLE_PUSH_BUTTON, "New Custom Game"))
        table = wait_for(lambda: find(app, pyatspi.ROLE_TABLE, "Board"))
        check(wait_for(lambda: table.queryTable().nColumns == 20 and table.queryTable().nRows == 12, 10) is not None,
              "a new 20 x 12 board")
        time.sleep(1.5)
        left, top, width, height = window_on_screen()
        print(f"     the 20 x 12 window shows at {left},{top}, {width} x {height} on {SCREEN[0]} x {SCREEN[1]}")
        # A window that runs off the screen is cut at its edge; one placed whole stops short of it.
        check(left + width < SCREEN[0] and top + height < SCREEN[1], "the 20 x 12 window is whole on the screen")
        label = wait_for(lambda: next((a for a in walk(app) if a.getRole() == pyatspi.ROLE_LABEL
                                       and a.name.startswith("You have made")), None))
        check(label is not None and label.getState().contains(pyatspi.STATE_SHOWING), "the moves label shows")
        quit_item = find(app, pyatspi.ROLE_MENU_ITEM, "Quit")
        if check(quit_item is not None, "the Quit menu item"):
            press(quit_item)
            try:
                game.wait(10)
                check(game.returncode == 0, f"the game quits cleanly (status {game.returncode})")
            except subprocess.TimeoutExpired:
                check(False, "the game quits")
    finally:
        if game.poll() is None:
            game.kill()
    if failures:
        print(f"{len(failures)} check(s) failed")
        sys.exit(1)
    print("all checks passed")


if __name__ == "__main__":
    main()
