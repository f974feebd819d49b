#!/usr/bin/env python3
"""Writes the match runner's opening list: random lines of 2 to 4 plies from the start
position in which no move leaves its own king to be taken, kept when fairy-stockfish (playing
this game's rules) scores the position near level at a fixed depth, each position once. Deterministic for a given seed and engine.

    tools/match/make_openings.py > tools/match/openings.txt
"""
import argparse
import os
import random
import subprocess

HERE = os.path.dirname(os.path.abspath(__file__))


class Engine:
    def __init__(self, command, variant_ini):
        self.p = subprocess.Popen([command], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                  stderr=subprocess.DEVNULL, text=True, bufsize=1)
        self.send("usi")
        self.until("usiok")
        self.send("setoption name VariantPath value " + variant_ini)
        self.send("setoption name UCI_Variant value minishogikc")
        self.send("isready")
        self.until("readyok")

    def send(self, line):
        self.p.stdin.write(line + "\n")

    def until(self, prefix):
        lines = []
        while True:
            line = self.p.stdout.readline()
            if not line:
                raise RuntimeError("engine closed")
            line = line.strip()
            lines.append(line)
            if line.startswith(prefix):
                return lines

    def position(self, moves):
        self.send("position startpos" + (" moves " + " ".join(moves) if moves else ""))

    def legal_moves(self, moves):
        self.position(moves)
        self.send("go perft 1")
        return [l.split(":")[0] for l in self.until("Nodes searched") if l.endswith(": 1")]

    def sfen(self, moves):
        self.position(moves)
        self.send("d")
        for l in self.until("Sfen:"):
            if l.startswith("Sfen:"):
                return " ".join(l.split()[1:4])

    def king_en_prise(self, moves):
        """Whether the side to move could take the king: a win in one for it."""
        self.send("setoption name Clear Hash")
        self.position(moves)
        self.send("go depth 1")
        return any(" score mate 1 " in l + " " for l in self.until("bestmove"))

    def score(self, moves, depth):
        """Centipawns for the side to move, or None for a mate score."""
        self.send("setoption name Clear Hash")  # the same answer whatever was searched before
        self.position(moves)
        self.send("go depth %d" % depth)
        score = None
        for l in self.until("bestmove"):
            w = l.split()
            if "score" in w:
                i = w.index("score")
                score = int(w[i + 2]) if w[i + 1] == "cp" else None
        return score


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--count", type=int, default=50)
    ap.add_argument("--seed", type=int, default=55)
    ap.add_argument("--depth", type=int, default=10)
    ap.add_argument("--max-cp", type=int, default=60)
    ap.add_argument("--engine", default="/usr/games/fairy-stockfish")
    ap.add_argument("--variant", default=os.path.join(HERE, "minishogi-kingcapture.ini"))
    a = ap.parse_args()
    rng = random.Random(a.seed)
    e = Engine(a.engine, a.variant)
    seen, kept = set(), []
    while len(kept) < a.count:
        moves = []
        for _ in range(rng.choice([2, 3, 4, 4])):
            legal = e.legal_moves(moves)
            if not legal:  # a king was taken
                break
            moves.append(rng.choice(legal))
            if e.king_en_prise(moves):  # the move left its own king to be taken
                break
        if not e.legal_moves(moves) or e.king_en_prise(moves):
            continue
        key = e.sfen(moves)
        if key in seen:
            continue
        seen.add(key)
        s = e.score(moves, a.depth)
        if s is None or abs(s) > a.max_cp:
            continue
        kept.append((moves, s if len(moves) % 2 == 0 else -s))
    print("# Openings of zelk55-match: one line of USI moves from the start position each; every")
    print("# game is played from a line with each engine as black once. Made by")
    print("#   tools/match/make_openings.py --count %d --seed %d --depth %d --max-cp %d"
          % (a.count, a.seed, a.depth, a.max_cp))
    print("# (fairy-stockfish under this game's rules; the number is its score for black, centipawns).")
    for moves, s in kept:
        print("%-28s # %+d" % (" ".join(moves), s))
    e.send("quit")


if __name__ == "__main__":
    main()
