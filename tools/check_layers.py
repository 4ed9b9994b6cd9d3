#!/usr/bin/env python3
"""Checks that includes point down the layers of the code.

A file may include headers of its own layer, of a layer beside it, or of a layer below; never
of a layer above. The game core (everything but ui/, audio/ and online/) includes no Qt, SDL
or curl header. Usage: check_layers.py [ROOT]  (ROOT holds src/; default: the repository).
Prints every offending include and exits 1 when there is one.
"""
import os
import re
import sys

# Rank of each folder under src/; a file may include folders of its rank or lower.
RANKS = {
    "archive": 0,
    "state": 1,
    "sim": 2, "dev": 2, "company": 2, "music": 2,
    "views": 3, "persist": 3, "start": 3,
    "game": 4, "online": 4, "audio": 4,
    "players": 5,
    "ui": 6,
}
OUTSIDE_CORE = {"ui", "audio", "online"}
FOREIGN = re.compile(r"#\s*include\s*<(Q[A-Za-z]*|SDL[^>]*|curl/[^>]*)>")
OURS = re.compile(r'#\s*include\s*"([a-z]+)/[^"]+"')


def check(root):
    problems = []
    src = os.path.join(root, "src")
    for folder in sorted(os.listdir(src)):
        path = os.path.join(src, folder)
        if not os.path.isdir(path):
            continue
        if folder not in RANKS:
            problems.append("src/%s: a folder with no place in the layers" % folder)
            continue
        for dirpath, _, files in os.walk(path):
            for name in sorted(files):
                if not name.endswith((".h", ".cpp")):
                    continue
                file = os.path.join(dirpath, name)
                shown = os.path.relpath(file, root)
                with open(file, encoding="utf-8", errors="replace") as f:
                    for number, line in enumerate(f, 1):
                        m = OURS.match(line.strip())
                        if m:
                            target = m.group(1)
                            if target in RANKS and RANKS[target] > RANKS[folder]:
                                problems.append("%s:%d: %s/ includes %s/, a layer above it"
                                                % (shown, number, folder, target))
                        if folder not in OUTSIDE_CORE and FOREIGN.match(line.strip()):
                            problems.append("%s:%d: the game core includes %s"
                                            % (shown, number, line.strip()))
    return problems


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
    problems = check(root)
    for p in problems:
        print(p)
    if problems:
        print("%d include(s) point the wrong way." % len(problems))
        return 1
    print("Every include points down the layers.")
    return 0


if __name__ == "__main__":
    sys.exit(main())
