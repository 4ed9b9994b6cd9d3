#!/usr/bin/env python3
"""Checks that includes point down the layers of the code.

A file may include headers of its own layer, of a layer beside it, or of a layer below; never
of a layer above. The game core (everything but ui/, audio/ and online/) includes no Qt, SDL
or curl header. The window's code has rooms of its own, ranked the same way (widgets below the
panels and dialogs, those below the window); only the window itself and the screenshot tour
include the main window's header, and no files of the window's code include each other in a
circle (a source counts with its header). Usage:
check_layers.py [ROOT]  (ROOT holds src/; default: the repository). Prints every offending
include and exits 1 when there is one.
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
# The rooms of src/ui/, ranked as the folders above.
UI_RANKS = {"widgets": 0, "panels": 1, "dialogs": 1, "window": 2}
MAIN_WINDOW = "ui/window/MainWindow.h"
KNOWS_MAIN_WINDOW = {"ui/window/MainWindow.cpp", "ui/window/ScreenshotTour.cpp"}
FOREIGN = re.compile(r"#\s*include\s*<(Q[A-Za-z]*|SDL[^>]*|curl/[^>]*)>")
OURS = re.compile(r'#\s*include\s*"([a-z]+)/[^"]+"')
HEADER = re.compile(r'#\s*include\s*"([^"]+)"')


def ui_room(relative):
    """The room of a file under src/ui/ ("panels" for ui/panels/X.h), or None."""
    parts = relative.split("/")
    return parts[1] if len(parts) > 2 and parts[0] == "ui" else None


def circles(graph):
    """The groups of files that include each other in a circle (Tarjan's components)."""
    index, low, stack, on_stack, found = {}, {}, [], set(), []

    def visit(node):
        index[node] = low[node] = len(index)
        stack.append(node)
        on_stack.add(node)
        for target in graph.get(node, ()):
            if target not in graph:
                continue
            if target not in index:
                visit(target)
                low[node] = min(low[node], low[target])
            elif target in on_stack:
                low[node] = min(low[node], index[target])
        if low[node] == index[node]:
            group = []
            while True:
                member = stack.pop()
                on_stack.discard(member)
                group.append(member)
                if member == node:
                    break
            if len(group) > 1:
                found.append(sorted(group))

    for node in sorted(graph):
        if node not in index:
            visit(node)
    return found


def check(root):
    problems = []
    graph = {}
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
                relative = os.path.relpath(file, src).replace(os.sep, "/")
                room = ui_room(relative)
                if folder == "ui" and room not in UI_RANKS and name.endswith((".h", ".cpp")):
                    problems.append("%s: a file of the window's code outside its rooms (%s)"
                                    % (shown, ", ".join(sorted(UI_RANKS))))
                # A file's own header is the same node: a .cpp stands for its .h in circles.
                node = relative[:-4] + ".h" if relative.endswith(".cpp") else relative
                edges = graph.setdefault(node, set())
                with open(file, encoding="utf-8", errors="replace") as f:
                    for number, line in enumerate(f, 1):
                        h = HEADER.match(line.strip())
                        if h:
                            included = h.group(1)
                            if included != node:
                                edges.add(included)
                            if included == MAIN_WINDOW and relative not in KNOWS_MAIN_WINDOW:
                                problems.append("%s:%d: only the window itself and the screenshot tour "
                                                "include %s" % (shown, number, MAIN_WINDOW))
                            target_room = ui_room(included)
                            if (room in UI_RANKS and target_room in UI_RANKS
                                    and UI_RANKS[target_room] > UI_RANKS[room]):
                                problems.append("%s:%d: ui/%s/ includes ui/%s/, a room above it"
                                                % (shown, number, room, target_room))
                        m = OURS.match(line.strip())
                        if m:
                            target = m.group(1)
                            if target in RANKS and RANKS[target] > RANKS[folder]:
                                problems.append("%s:%d: %s/ includes %s/, a layer above it"
                                                % (shown, number, folder, target))
                        if folder not in OUTSIDE_CORE and FOREIGN.match(line.strip()):
                            problems.append("%s:%d: the game core includes %s"
                                            % (shown, number, line.strip()))
    # The window's files, a source with its header, never include each other in a circle.
    for group in circles({node: edges for node, edges in graph.items() if node.startswith("ui/")}):
        problems.append("src/: %d files include each other in a circle: %s" % (len(group), ", ".join(group)))
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
