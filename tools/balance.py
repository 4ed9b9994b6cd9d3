#!/usr/bin/env python3
"""The bot's games at each level of difficulty, as one table.

Usage: balance.py SIMULATOR [--seeds N]

The bot plays seeds 1..N (default 50) at levels 1, 2 and 3; the table shows, per level, the
share of studios that reach the end of the game (rather than going bankrupt), and the median
money and score at the end. Two games run at a time.
"""
import argparse
import concurrent.futures
import json
import os
import statistics
import subprocess
import sys
import tempfile


def play(sim, seed, level, folder):
    out = os.path.join(folder, "%d-%d.json" % (level, seed))
    subprocess.run([sim, "--seed", str(seed), "--difficulty", str(level), "--bot", "--json", out],
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
    with open(out) as f:
        return json.load(f)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("sim")
    parser.add_argument("--seeds", type=int, default=50)
    args = parser.parse_args()
    sim = os.path.abspath(args.sim)
    print("%-6s %6s %14s %14s %13s" % ("level", "games", "reach the end", "median money", "median score"))
    with tempfile.TemporaryDirectory(prefix="quillon-balance-") as folder, \
            concurrent.futures.ThreadPoolExecutor(max_workers=2) as pool:
        for level in (1, 2, 3):
            games = list(pool.map(lambda seed: play(sim, seed, level, folder), range(1, args.seeds + 1)))
            # A studio that went bankrupt ends with its money below zero; one that reached the
            # last week of the game ends with money to spare.
            reached = sum(1 for g in games if g["gameOver"] and g["money"] >= 0)
            print("%-6d %6d %13.0f%% %14.0f %13.0f" % (
                level, len(games), 100.0 * reached / len(games),
                statistics.median(g["money"] for g in games),
                statistics.median(g["score"] for g in games)))
            sys.stdout.flush()


if __name__ == "__main__":
    main()
