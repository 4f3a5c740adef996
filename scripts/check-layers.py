#!/usr/bin/env python3
"""Fails when a source file includes a header from a folder above its own layer."""
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent

# Each folder with the folders it may include from (its own always allowed).
ALLOWED = {
    "model": {"platform"},
    "platform": {"model"},
    "state": set(),
    "link": {"model", "platform", "state"},
    "files": {"model", "platform", "state", "history"},
    "history": {"model", "platform", "state"},
    "rules": {"model", "platform", "state"},
    "report": {"model", "platform", "state", "files", "rules"},
    "alignment": {"model", "platform", "state", "link", "files", "history"},
    "exchange": {"model", "platform", "state", "link", "files", "rules"},
    "sim": {"model", "platform", "link"},
    "autotune": {"model", "platform", "state", "link", "files", "alignment", "history"},
    "cli": {"model", "platform", "state", "link", "files", "rules", "exchange", "report", "alignment", "sim", "autotune", "history"},
    "editor": {"model", "platform", "state", "link", "files", "rules", "report", "alignment", "exchange", "autotune", "history"},
    "app": {"model", "platform", "state", "link", "files", "rules", "report", "alignment", "exchange", "autotune", "editor", "history"},
}


def main():
    owner = {}
    for folder in ALLOWED:
        for header in (ROOT / folder).glob("*.h"):
            owner.setdefault(header.name, folder)
    faults = []
    include = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
    for folder, allowed in ALLOWED.items():
        for src in sorted((ROOT / folder).glob("*.[ch]*")):
            for n, line in enumerate(src.read_text(errors="replace").splitlines(), 1):
                m = include.match(line)
                if not m:
                    continue
                target = owner.get(pathlib.Path(m.group(1)).name)
                if target and target != folder and target not in allowed:
                    faults.append(f"{src.relative_to(ROOT)}:{n}: includes {target}/{m.group(1)}")
    for f in faults:
        print(f)
    print(f"layers: {len(faults)} include(s) against the layer order")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
