#!/usr/bin/env python3
"""Golden replays: three recorded games, one per level of difficulty, replayed and compared.

Usage: golden_replays.py SIMULATOR [--record] [--dir FOLDER]

Each level's folder (tests/golden/level1..3) holds:
  extra.txt              the player's own actions besides the bot's (refusals, a port, a
                         publisher negotiation, a save), written by hand
  game.rec               the game up to its save: the bot and extra.txt, recorded
  game.txt, game.err     its weekly lines and score sheet, and the messages it showed
  game.json              its final state
  after.rec ...          the same for the game loaded from that save and played to the end

Without --record every game is replayed and its output held against the files; the first
line that differs is printed and the status is 1. A rule change that alters a game shows here.
With --record ("make golden") the games are played and recorded anew, on purpose: look at the
difference in git before committing it.
"""
import argparse
import os
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# Level: (seed, weeks before the save).
GAMES = {1: (101, 150), 2: (202, 220), 3: (303, 180)}


def run(args, cwd):
    # In the work folder, so that the save's name the simulator prints is the same every time.
    result = subprocess.run(args, capture_output=True, text=True, encoding="latin-1", cwd=cwd)
    if result.returncode != 0:
        sys.stderr.write("%s\nended with status %d:\n%s" % (" ".join(args), result.returncode, result.stderr))
        sys.exit(1)
    return result.stdout, result.stderr


def replay(sim, folder, work, part):
    """The outputs of one part's replay: weekly lines, messages and the final JSON."""
    json_file = os.path.join(work, part + ".json")
    args = [sim, "--replay", os.path.join(folder, part + ".rec"), "--json", json_file, "--save", "s.sav"]
    if part == "after":
        args += ["--load", "s.sav"]
    out, err = run(args, work)
    with open(json_file, encoding="latin-1") as f:
        return {part + ".txt": out, part + ".err": err, part + ".json": f.read()}


def first_difference(name, expected, actual):
    want, got = expected.splitlines(), actual.splitlines()
    for number in range(max(len(want), len(got))):
        a = want[number] if number < len(want) else "(no more lines)"
        b = got[number] if number < len(got) else "(no more lines)"
        if a != b:
            return "%s:%d differs\n  recorded: %s\n  replayed: %s" % (name, number + 1, a, b)
    return None


def record(sim, level, folder, work):
    seed, weeks = GAMES[level]
    extra = os.path.join(folder, "extra.txt")
    save = "s.sav"
    run([sim, "--seed", str(seed), "--difficulty", str(level), "--bot", "--weeks", str(weeks), "--extra", extra,
         "--player", "Golden Player", "--company", "Golden %d Games" % level, "--save", save,
         "--record", os.path.join(folder, "game.rec")], work)
    run([sim, "--seed", str(seed + 1), "--difficulty", str(level), "--bot", "--load", save,
         "--player", "Golden Player", "--company", "Golden %d Games" % level,
         "--record", os.path.join(folder, "after.rec")], work)
    # Every action of extra.txt went through the game and is in its log.
    with open(os.path.join(folder, "game.rec"), encoding="latin-1") as f:
        logged = [line.split(" | ")[0].split(" ", 2)[2] for line in f.read().splitlines()[5:]]
    with open(extra, encoding="latin-1") as f:
        for line in f.read().splitlines():
            action = line.split(" | ")[0].split(" ", 2)[2] if line.strip() else None
            if action and action not in logged:
                sys.exit("level %d: %s is not in the recorded game" % (level, action))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("sim")
    parser.add_argument("--record", action="store_true")
    parser.add_argument("--dir", default=os.path.join(ROOT, "tests", "golden"))
    args = parser.parse_args()
    sim = os.path.abspath(args.sim)
    failed = False
    for level in sorted(GAMES):
        folder = os.path.join(args.dir, "level%d" % level)
        with tempfile.TemporaryDirectory(prefix="quillon-golden-") as work:
            if args.record:
                record(sim, level, folder, work)
            for part in ("game", "after"):
                outputs = replay(sim, folder, work, part)
                for name, text in outputs.items():
                    path = os.path.join(folder, name)
                    if args.record:
                        with open(path, "w", encoding="latin-1", newline="\n") as f:
                            f.write(text)
                        continue
                    with open(path, encoding="latin-1", newline="\n") as f:
                        difference = first_difference("level%d/%s" % (level, name), f.read(), text)
                    if difference:
                        print(difference)
                        failed = True
                        break
        print("level %d: %s" % (level, "recorded" if args.record else "failed" if failed else "same"))
        if failed:
            break
    if failed:
        print("A rule change altered a recorded game. If it is meant to, record them anew with "
              "`make golden` and commit the new files with the change.")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
