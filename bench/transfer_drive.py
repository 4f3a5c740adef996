#!/usr/bin/python3
"""Drives the running editor as a user would, through real mouse clicks found on the
accessibility bus. Run by bench/transfer-screens.sh.

  transfer_drive.py menu TITLE ITEM     click the menu bar title, then the item
  transfer_drive.py button TEXT         click a push button (e.g. OK of a message box)
  transfer_drive.py status              print the text of the first status panel
  transfer_drive.py wait-status TEXT S  wait up to S seconds for that status text
"""
import sys
import time

import pyatspi

from atspi_dump import find_app




def find(node, predicate, depth=0):
    try:
        if predicate(node):
            return node
        count = node.childCount
    except Exception:
        return None
    if depth > 14:
        return None
    for i in range(count):
        try:
            child = node.getChildAtIndex(i)
        except Exception:
            continue
        if child is None:
            continue
        hit = find(child, predicate, depth + 1)
        if hit is not None:
            return hit
    return None


def showing(node):
    try:
        return node.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:
        return False


def click(node):
    ext = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    pyatspi.Registry.generateMouseEvent(ext.x + ext.width // 2, ext.y + ext.height // 2, "b1c")


def in_menu_bar(node):
    try:
        return node.parent is not None and node.parent.getRoleName() == "menu bar"
    except Exception:
        return False


def click_named(app, name, roles, tries=20, where=lambda n: True):
    for _ in range(tries):
        node = find(app, lambda n: n.name == name and n.getRoleName() in roles and showing(n)
                    and where(n))
        if node is not None:
            click(node)
            return True
        time.sleep(0.25)
    print("not found: %r" % name)
    return False


def status(app):
    node = find(app, lambda n: n.getRoleName() == "status bar")
    if node is None:
        return ""
    label = find(node, lambda n: n.getRoleName() == "label" and n.name.endswith("....."))
    return label.name if label is not None else ""


def main():
    app = find_app("tessaro")
    if app is None:
        print("the editor did not appear on the accessibility bus")
        return 1
    cmd = sys.argv[1]
    if cmd == "menu":
        if not click_named(app, sys.argv[2], ("menu item", "menu"), where=in_menu_bar):
            return 1
        time.sleep(0.5)
        return 0 if click_named(app, sys.argv[3], ("menu item",),
                                where=lambda n: not in_menu_bar(n)) else 1
    if cmd == "button":
        return 0 if click_named(app, sys.argv[2], ("push button",)) else 1
    if cmd == "status":
        print(status(app))
        return 0
    if cmd == "wait-status":
        deadline = time.time() + float(sys.argv[3])
        while time.time() < deadline:
            if status(app) == sys.argv[2]:
                return 0
            time.sleep(0.5)
        print("status is %r" % status(app))
        return 1
    return 2


if __name__ == "__main__":
    sys.exit(main())
