#!/usr/bin/env python3
"""Soak: generated replay logs played by a simulator built with the sanitizers.

Usage: soak.py SIMULATOR [--count N] [--seed S] [--keep FOLDER] [--data FOLDER]

Writes N logs (default 500) of our own making: mostly plausible actions of the player, weeks
ended, saves in between, and some fields out of range or plain garbage; sizes are bounded. Each
is replayed with a time limit. A replay may end normally or be refused (status 1, with a
message naming the line); a sanitizer report, a crash, another status or a hang fails the soak,
and the log that caused it is kept in FOLDER (default soak-failures) with its output.
"""
import argparse
import os
import random
import shutil
import subprocess
import sys
import tempfile
import time

ACTIONS = [
    # (name, fields as (low, high) of plausible values; "text" for a quoted text)
    ("EndOfWeek", []), ("SaveAndEndTurn", []), ("HireManager", [(0, 2), (0, 12)]),
    ("SetAssistants", [(0, 2), (0, 12)]), ("MoveOffice", [(0, 3)]), ("SetExtraOffices", [(0, 10)]),
    ("SetEquipment", [(0, 2), (0, 1)]), ("SetFacility", [(0, 1), (0, 1)]), ("Borrow", [(0, 500000)]),
    ("Repay", [(0, 500000)]), ("FindInvestor", []), ("AcceptInvestor", []), ("DeclineInvestor", []),
    ("StartNewProject", []), ("StartProject", ["text"]), ("ChooseProjectGenre", [(0, 6)]),
    ("ChooseProjectPlatform", [(0, 18)]), ("SetTechnology", [(0, 2)]), ("SetProjectOption", [(0, 3), (0, 1)]),
    ("SetAdvertising", [(0, 10)]), ("CancelProject", []), ("BeginRelease", []), ("ChooseReleaseWeek", [(0, 47), (0, 5)]),
    ("FindPublisher", [(0, 2)]), ("OfferDeal", [(1, 33), (1, 100), "fee"]), ("SignDeal", []),
    ("ChooseStudyPlatform", [(0, 3), (0, 18)]), ("SetStudyStaff", [(0, 3), (0, 100)]), ("RequestPreview", []),
    ("PortGame", [(-1, 40), (-1, 18)]),
]
ANSWERS = ["Ok", "Yes", "No", "Cancel", "Hire", "NoHire"]
GARBAGE = ["", "-1", "99999999999999999999", "2147483648", "-2147483649", "x", "1e3", "0x10", "\"", "|", "3.5"]
SANITIZER_SIGNS = ("ERROR: AddressSanitizer", "runtime error:", "ERROR: LeakSanitizer", "UndefinedBehaviorSanitizer")


def field(rnd, spec):
    if spec == "text":
        name = "".join(rnd.choice("ABCDEFGHIJKLMNOPQRSTUVWXYZ abcdefghijklmnopqrstuvwxyz;\\\"|0123456789")
                       for _ in range(rnd.randint(0, 24)))
        return '"' + name.replace("\\", "\\\\").replace('"', '\\"').replace("|", "\\|") + '"'
    if spec == "fee":
        return '"%s"' % rnd.choice(["0", "1.000", "50.000", "250.000", "2.147.483.647", "99999999999", "1..2", ""])
    low, high = spec
    if rnd.random() < 0.002:  # out of range
        return str(rnd.choice([low - 1, high + 1, low - 1000, high * 100 + 7]))
    return str(rnd.randint(low, high))


def make_log(rnd):
    lines = ["quillon-replay 1", "seed %d" % rnd.randint(0, 4294967295), "difficulty %d" % rnd.randint(1, 3),
             "player Soak Player %d" % rnd.randint(0, 999), "company Soak Studio"]
    year, week = 1984, 2
    for _ in range(rnd.randint(20, 400)):
        name, specs = rnd.choice(ACTIONS) if rnd.random() < 0.6 else ("EndOfWeek", [])
        words = [name] + [field(rnd, spec) for spec in specs]
        if rnd.random() < 0.001:  # a garbage field, a missing one or one too many
            choice = rnd.random()
            if choice < 0.4 and len(words) > 1:
                words[rnd.randrange(1, len(words))] = rnd.choice(GARBAGE)
            elif choice < 0.7:
                words.append(rnd.choice(GARBAGE))
            elif len(words) > 1:
                words.pop()
        line = "%d %d %s" % (year, week, " ".join(words))
        if rnd.random() < 0.15:
            line += " | " + " ".join(rnd.choice(ANSWERS) for _ in range(rnd.randint(1, 3)))
        lines.append(line)
        if name in ("EndOfWeek", "SaveAndEndTurn"):
            week += 1
            if week > 52:
                year, week = year + 1, 1
    if rnd.random() < 0.02:  # a damaged header
        lines[rnd.randint(1, 4)] = rnd.choice(["seed 4294967296", "difficulty 4", "player " + "x" * 30, "garbage"])
    return "\n".join(lines) + ("\r\n" if rnd.random() < 0.5 else "\n")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("sim")
    parser.add_argument("--count", type=int, default=500)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--keep", default="soak-failures")
    parser.add_argument("--timeout", type=float, default=60.0)
    parser.add_argument("--data", help="the folder with Database.pck")
    args = parser.parse_args()
    sim = os.path.abspath(args.sim)
    rnd = random.Random(args.seed)
    env = dict(os.environ, ASAN_OPTIONS="detect_leaks=1:abort_on_error=0", UBSAN_OPTIONS="print_stacktrace=1")
    started = time.monotonic()
    counts = {"played": 0, "refused": 0}
    failures = []
    with tempfile.TemporaryDirectory(prefix="quillon-soak-") as work:
        for n in range(1, args.count + 1):
            log = os.path.join(work, "soak-%04d.rec" % n)
            with open(log, "w", newline="") as f:
                f.write(make_log(rnd))
            save = os.path.join(work, "soak.sav")
            try:
                data = ["--data", os.path.abspath(args.data)] if args.data else []
                result = subprocess.run([sim, "--replay", log, "--save", save] + data, capture_output=True, env=env,
                                        timeout=args.timeout)
                err = result.stderr.decode("latin-1")
                verdict = None
                if any(sign in err for sign in SANITIZER_SIGNS):
                    verdict = "sanitizer report"
                elif result.returncode == 0:
                    counts["played"] += 1
                elif result.returncode == 1 and "damaged at line" in err:
                    counts["refused"] += 1
                else:
                    verdict = "status %d" % result.returncode
            except subprocess.TimeoutExpired as timeout:
                verdict, err = "hang (over %.0f s)" % args.timeout, (timeout.stderr or b"").decode("latin-1")
            if verdict:
                os.makedirs(args.keep, exist_ok=True)
                kept = os.path.join(args.keep, os.path.basename(log))
                shutil.copy(log, kept)
                with open(kept + ".err", "w") as f:
                    f.write(err)
                failures.append("%s: %s" % (kept, verdict))
                print("FAIL %s: %s" % (kept, verdict))
            if n % 50 == 0:
                print("%d logs, %.0f s" % (n, time.monotonic() - started))
                sys.stdout.flush()
    print("soak: %d logs in %.0f s: %d played, %d refused with the line named, %d failed"
          % (args.count, time.monotonic() - started, counts["played"], counts["refused"], len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
