#!/usr/bin/python3
"""Prints the accessibility tree of the running editor as a screen reader sees it.

Run through bench/atspi-check.sh, which starts the program under Xvfb with an
accessibility bus. With --click-group N it first clicks the tree node of group N.
"""
import sys
import time

import pyatspi


def find_app(name, tries=40):
    for _ in range(tries):
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.name and name in app.name.lower():
                return app
        time.sleep(0.5)
    return None


def walk(node, depth, out, limit=12):
    try:
        role = node.getRoleName()
        name = node.name or ""
        states = node.getState()
        shown = states.contains(pyatspi.STATE_SHOWING)
    except Exception:  # a node that vanished while walking
        return
    if not shown and depth > 1:
        return
    label = ""
    try:
        names = []
        for rel in node.getRelationSet():
            if rel.getRelationType() == pyatspi.RELATION_LABELLED_BY:
                names += [rel.getTarget(i).name for i in range(rel.getNTargets())]
        if names:
            label = " labelled-by=%r" % names
    except Exception:
        pass
    out.append("%s%s %r%s" % ("  " * depth, role, name, label))
    if depth >= limit:
        return
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            walk(child, depth + 1, out, limit)


def find(node, predicate):
    if predicate(node):
        return node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is None:
            continue
        hit = find(child, predicate)
        if hit is not None:
            return hit
    return None


def main():
    app = find_app("tessaro")
    if app is None:
        print("the editor did not appear on the accessibility bus")
        return 1
    if len(sys.argv) > 2 and sys.argv[1] == "--click-group":
        text = "Group %s Channels" % sys.argv[2]
        item = find(app, lambda n: n.name == text and n.getRoleName() in ("table cell", "tree item", "list item"))
        if item is None:
            print("no tree node %r" % text)
            return 1
        ext = item.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        pyatspi.Registry.generateMouseEvent(ext.x + ext.width // 2, ext.y + ext.height // 2, "b1c")
        time.sleep(1.0)
    out = []
    walk(app, 0, out)
    print("\n".join(out))
    return 0


if __name__ == "__main__":
    sys.exit(main())
