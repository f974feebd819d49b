#!/usr/bin/env python3
"""The ladder of the game's computer levels: how much stronger each level is than the one below.

Plays each level L against L-1 with zelk55-match (levels FROM+1 to TO), each level on its own
budget, then the top level against fairy-stockfish (these rules, its kingcapture variant) with
both sides on the same limit. Chains the Elo differences into a scale that starts at level
FROM (0), prints a markdown table and writes it to --out, with the command line and the date.

usage: tools/match/ladder.py [--from 3] [--to N] [--games 100] [--top-games 60]
                             [--fairy-games 100] [--fairy-limit 'movetime 1000'] [-j 2]
                             [--out docs/ladder.md] [--dry-run] [--verbose]

  --from L          the bottom of the ladder, the level the scale is counted from (default 3)
  --to N            the top of the ladder (default: the highest level, read from the engine's
                    answer to usi: 'option name Level ... max N')
  --games N         games for each pair of adjacent levels (default 100)
  --top-games N     games for each of the two highest pairs, the slowest (default 60)
  --fairy-games N   games of the top level against fairy-stockfish (default 100); 0 skips it
  --fairy-limit L   the limit both sides play under against fairy-stockfish
                    (default 'movetime 1000')
  --level-limit L   what the levels are given in the ladder (default 'own': a plain go, so each
                    level plays exactly its own budget; the top level would plan from a clock)
  -j N              games played at once (default 2; each game alternates its two engines)
  --out FILE        the markdown file written (default docs/ladder.md in the repository)
  --logs DIR        where each match's game log and output go (default build/ladder)
  --match PROGRAM   zelk55-match (default build/default/tools/match/zelk55-match)
  --usi PROGRAM     zelk55-usi, asked for the highest level (default build/default/src/zelk55-usi)
  --dry-run         prints the zelk55-match commands only
  --verbose         shows every game's line as the matches play

Elo over the level below is zelk55-match's estimate with its 95 % margin; the Elo relative to
level FROM sums the differences below a level and combines their margins as the square root
of the sum of their squares. The time a move is the level's average in its match against the
level below (the bottom level's: in its match against the level above). Needs an idle machine:
the levels play on time. fairy-stockfish comes from tools/match/install-peers.sh.

Example (a quick check of the script itself, not a measurement):
  tools/match/ladder.py --from 3 --to 5 --games 4 --top-games 4 --fairy-games 2 \\
      --fairy-limit 'movetime 50' --out /tmp/ladder.md
"""

import argparse
import datetime
import math
import os
import re
import shlex
import signal
import subprocess
import sys

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
DEFAULT_MATCH = os.path.join(ROOT, "build", "default", "tools", "match", "zelk55-match")
DEFAULT_USI = os.path.join(ROOT, "build", "default", "src", "zelk55-usi")


class LadderError(Exception):
    pass


def fail(message):
    raise LadderError(message)


def highest_level(usi):
    """The highest level the engine takes, from its answer to usi."""
    if not os.access(usi, os.X_OK):
        fail(f"{usi} is not there (build it first, or give --to)")
    try:
        done = subprocess.run([usi], input="usi\nquit\n", capture_output=True, text=True, timeout=30)
    except subprocess.TimeoutExpired:
        fail(f"{usi} did not answer usi within 30 s")
    m = re.search(r"^option name Level type spin .*\bmax (\d+)\s*$", done.stdout, re.M)
    if not m:
        fail(f"{usi} names no Level option in its answer to usi:\n{done.stdout}{done.stderr}")
    return int(m.group(1))


def number(text):
    """A figure as zelk55-match prints it: a decimal, 'inf' or '-inf'."""
    return float(text)  # float() reads inf, -inf and nan as well


def parse_result(text):
    """The summary zelk55-match prints at the end of a match, as a dict; fails on anything else."""
    patterns = {
        "head": r"^Result of (?P<a>.+) \(A\) vs (?P<b>.+) \(B\), (?P<games>\d+) games:$",
        "tally": r"^A: (?P<wins>\d+) wins, (?P<losses>\d+) losses, (?P<draws>\d+) draws, score (?P<score>\S+) %$",
        "elo": r"^Elo difference: (?P<elo>\S+) \+/- (?P<margin>\S+) \(95 %\), LOS (?P<los>\S+) %$",
        "time": r"^Time a move: A (?P<ms_a>\d+) ms on average, (?P<max_a>\d+) ms at most, "
        r"B (?P<ms_b>\d+) ms on average, (?P<max_b>\d+) ms at most$",
        "endings": r"^Endings:(?P<endings>.*)$",
    }
    r = {}
    for what, pattern in patterns.items():
        m = re.search(pattern, text, re.M)
        if not m:
            fail(f"no '{what}' line in zelk55-match's summary")
        r.update(m.groupdict())
    out = {"a": r["a"], "b": r["b"], "endings": r["endings"].strip()}
    for k in ("games", "wins", "losses", "draws", "ms_a", "ms_b", "max_a", "max_b"):
        out[k] = int(r[k])
    for k in ("elo", "margin", "score", "los"):
        out[k] = number(r[k])
    if out["wins"] + out["losses"] + out["draws"] != out["games"]:
        fail("the summary's wins, losses and draws do not add up to its games")
    return out


class Match:
    def __init__(self, label, stem, args, games):
        self.label = label  # "L5 vs L4"
        self.stem = stem  # file name of its log and output, without the ending
        self.args = args  # zelk55-match's arguments
        self.games = games
        self.result = None


def plan(opts, top):
    """The matches of the ladder, bottom first, the fairy-stockfish match last."""
    matches = []
    for level in range(opts.from_level + 1, top + 1):
        games = opts.top_games if level >= top - 1 else opts.games
        args = ["--zelk-a", str(level), "--zelk-b", str(level - 1), "--limit", opts.level_limit]
        matches.append(Match(f"L{level} vs L{level - 1}", f"L{level:02d}-vs-L{level - 1:02d}", args, games))
    if opts.fairy_games > 0:
        args = ["--zelk-a", str(top), "--fairy-b", "--limit", opts.fairy_limit]
        matches.append(Match(f"L{top} vs fairy-stockfish", f"L{top:02d}-vs-fairy", args, opts.fairy_games))
    for m in matches:
        m.args += ["-n", str(m.games), "-j", str(opts.jobs), "--log", os.path.join(opts.logs, m.stem + ".log")]
    return matches


def run(opts, match):
    """Plays one match, keeps its output beside its log, and reads its summary."""
    command = [opts.match] + match.args
    output_path = os.path.join(opts.logs, match.stem + ".txt")
    lines = []
    tty = sys.stderr.isatty() and not opts.verbose
    try:
        proc = subprocess.Popen(command, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True, bufsize=1)
    except OSError as e:
        fail(f"{match.label}: cannot run {opts.match}: {e}")
    with open(output_path, "w") as out:
        for line in proc.stdout:
            out.write(line)
            out.flush()
            lines.append(line)
            if opts.verbose:
                sys.stderr.write("  " + line)
            elif tty and line.startswith("Game "):
                m = re.search(r"\((\d+)/(\d+), .*  A (\+\d+ -\d+ =\d+)", line)
                if m:
                    sys.stderr.write(f"\r  {match.label}: {m.group(1)}/{m.group(2)} games, A {m.group(3)}   ")
                    sys.stderr.flush()
        stderr = proc.stderr.read()
        proc.wait()
        if stderr:
            out.write(stderr)
    if tty:
        sys.stderr.write("\r" + " " * 70 + "\r")
    text = "".join(lines)
    if proc.returncode != 0:
        fail(
            f"{match.label}: zelk55-match failed (exit {proc.returncode}): {stderr.strip() or 'no message'}\n"
            f"  command: {shlex.join(command)}\n  output: {output_path}"
        )
    try:
        result = parse_result(text)
    except LadderError as e:
        tail = "".join(lines[-8:])
        fail(f"{match.label}: cannot read the result: {e}\n  output ({output_path}) ends:\n{tail}")
    if result["games"] != match.games:
        fail(f"{match.label}: {result['games']} games played, {match.games} asked for (see {output_path})")
    match.result = result
    return result


def signed(v, decimals=0):
    if math.isnan(v):
        return "n/a"
    if math.isinf(v):
        return "+inf" if v > 0 else "-inf"
    s = f"{v:+.{decimals}f}"
    return "+0" if s in ("-0", "+0") else s


def margin(v):
    return "inf" if math.isinf(v) or math.isnan(v) else f"{v:.0f}"


def with_margin(elo, m):
    return f"{signed(elo)} ± {margin(m)}"


def wld(r):
    return f"{r['wins']}/{r['losses']}/{r['draws']}"


def report(opts, matches, top, command_line, started):
    ladder = [m for m in matches if "fairy" not in m.stem]
    fairy = next((m for m in matches if "fairy" in m.stem), None)
    base = opts.from_level
    lines = [
        "# The ladder of the computer levels",
        "",
        f"Each level against the level below, each on its own budget (zelk55-match --limit "
        f"'{opts.level_limit}'); Elo relative to level {base}: the differences below a level summed, "
        f"their 95 % margins combined as the square root of the sum of squares. W/L/D from the "
        f"higher level's side; ms a move: the level's average thinking time in that match.",
        "",
        f"| Level | Elo vs L{base} | Elo over the level below | Games | W/L/D | ms a move |",
        "|---:|---:|---:|---:|---:|---:|",
    ]
    bottom_ms = ladder[0].result["ms_b"] if ladder else None
    lines.append(f"| {base} | 0 | — | — | — | {bottom_ms if bottom_ms is not None else '—'} |")
    chain, chain_sq = 0.0, 0.0
    for level, m in zip(range(base + 1, top + 1), ladder):
        r = m.result
        chain += r["elo"]
        chain_sq += r["margin"] ** 2
        lines.append(
            f"| {level} | {with_margin(chain, math.sqrt(chain_sq))} | {with_margin(r['elo'], r['margin'])} | "
            f"{r['games']} | {wld(r)} | {r['ms_a']} |"
        )
    lines.append("")
    if fairy:
        r = fairy.result
        lines.append(
            f"Level {top} against fairy-stockfish ({opts.fairy_limit} each, its kingcapture variant): "
            f"{with_margin(r['elo'], r['margin'])} Elo for level {top} in {r['games']} games, "
            f"W/L/D {wld(r)}; ms a move: level {top} {r['ms_a']}, fairy-stockfish {r['ms_b']}."
        )
        # fairy-stockfish on the ladder's scale: level TOP's place less its lead over it. The
        # limits differ from the ladder's, so this is a guide, not a measurement on one scale.
        on_scale = chain - r["elo"]
        lines.append(
            f"On the ladder's scale (level {top} at its own budget) that puts fairy-stockfish at "
            f"{with_margin(on_scale, math.sqrt(chain_sq + r['margin'] ** 2))} relative to level {base}, "
            f"the two limits being different."
        )
        lines.append("")
    lines += [
        f"Made on {started} by:",
        "",
        "    " + command_line,
        "",
        "The matches (game logs in " + os.path.relpath(opts.logs, ROOT) + "/):",
        "",
    ]
    for m in matches:
        lines.append("    zelk55-match " + shlex.join(m.args))
    return "\n".join(lines) + "\n"


def parse_args(argv):
    p = argparse.ArgumentParser(prog="tools/match/ladder.py", add_help=False)
    p.add_argument("-h", "--help", action="store_true")
    p.add_argument("--from", dest="from_level", type=int, default=3)
    p.add_argument("--to", dest="to_level", type=int)
    p.add_argument("--games", type=int, default=100)
    p.add_argument("--top-games", type=int, default=60)
    p.add_argument("--fairy-games", type=int, default=100)
    p.add_argument("--fairy-limit", default="movetime 1000")
    p.add_argument("--level-limit", default="own")
    p.add_argument("-j", "--jobs", type=int, default=2)
    p.add_argument("--out", default=os.path.join(ROOT, "docs", "ladder.md"))
    p.add_argument("--logs", default=os.path.join(ROOT, "build", "ladder"))
    p.add_argument("--match", default=DEFAULT_MATCH)
    p.add_argument("--usi", default=DEFAULT_USI)
    p.add_argument("--dry-run", action="store_true")
    p.add_argument("--verbose", action="store_true")
    opts = p.parse_args(argv)
    if opts.help:
        print(__doc__.strip())
        sys.exit(0)
    for name in ("games", "top_games", "jobs"):
        if getattr(opts, name) < 1:
            p.error(f"--{name.replace('_', '-')} wants a positive number")
    if opts.fairy_games < 0:
        p.error("--fairy-games wants 0 or more")
    if opts.from_level < 1:
        p.error("--from wants a level of 1 or more")
    opts.logs = os.path.abspath(opts.logs)
    return opts


def main(argv):
    signal.signal(signal.SIGPIPE, signal.SIG_DFL)  # quiet when piped into head
    opts = parse_args(argv[1:])
    command_line = "tools/match/ladder.py" + ("" if len(argv) == 1 else " " + shlex.join(argv[1:]))
    started = datetime.datetime.now().astimezone().strftime("%Y-%m-%d %H:%M %Z")
    try:
        # A dry run with --to needs no built engine.
        known = not (opts.dry_run and opts.to_level) or os.access(opts.usi, os.X_OK)
        highest = highest_level(opts.usi) if known else None
        top = opts.to_level if opts.to_level else highest
        if highest is not None and top > highest:
            fail(f"--to {top}: the engine's highest level is {highest}")
        if top <= opts.from_level:
            fail(f"--to ({top}) must be above --from ({opts.from_level})")
        matches = plan(opts, top)
        if opts.dry_run:
            for m in matches:
                print(shlex.join([opts.match] + m.args))
            return 0
        if not os.access(opts.match, os.X_OK):
            fail(f"{opts.match} is not there (build the default preset first)")
        os.makedirs(opts.logs, exist_ok=True)
        for m in matches:
            print(f"{m.label}: {m.games} games ...", flush=True)
            r = run(opts, m)
            print(
                f"{m.label}: {with_margin(r['elo'], r['margin'])} Elo, W/L/D {wld(r)}, "
                f"{r['ms_a']} / {r['ms_b']} ms a move",
                flush=True,
            )
        text = report(opts, matches, top, command_line, started)
    except LadderError as e:
        print(f"ladder: {e}", file=sys.stderr)
        return 1
    print()
    print(text, end="")
    out_dir = os.path.dirname(os.path.abspath(opts.out))
    os.makedirs(out_dir, exist_ok=True)
    with open(opts.out, "w") as f:
        f.write(text)
    print(f"\nwritten to {opts.out}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
