#!/usr/bin/env python3
"""Gives the tuner's positions fairy-stockfish's judgement as well as the game's result.

Reads the "SFEN<tab>result" lines `zelk55-tune play` writes, keeps every EVERY-th, has
fairy-stockfish's own minishogi search each to DEPTH and writes the line again with the
result replaced by MIX * result + (1 - MIX) * the lower side's chance by fairy-stockfish's
score (1 / (1 + 10^(-cp / 400)), a mate 0 or 1). A position it gives no score is left out.

  label-with-fairy.py GAMES OUT [--every N] [--depth D] [--mix M] [--jobs J] [--engine PATH]
"""
import argparse
import subprocess
import sys
import threading


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument('games')
    ap.add_argument('out')
    ap.add_argument('--every', type=int, default=2)
    ap.add_argument('--depth', type=int, default=8)
    ap.add_argument('--mix', type=float, default=0.5)
    ap.add_argument('--jobs', type=int, default=2)
    ap.add_argument('--engine', default='/usr/games/fairy-stockfish')
    a = ap.parse_args()
    with open(a.games) as f:
        lines = [l.rstrip('\n').split('\t') for l in f if '\t' in l][::a.every]
    labelled = [None] * len(lines)

    def label(indices):
        fs = subprocess.Popen([a.engine], stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True, bufsize=1)

        def send(text):
            fs.stdin.write(text + '\n')
            fs.stdin.flush()

        def wait_for(word):
            for reply in fs.stdout:
                if reply.startswith(word):
                    return

        send('usi')
        send('setoption name UCI_Variant value minishogi')
        send('isready')
        wait_for('readyok')
        for i in indices:
            sfen, result = lines[i]
            send('position sfen ' + sfen)
            send(f'go depth {a.depth}')
            score = None
            for reply in fs.stdout:
                words = reply.split()
                if 'score' in words:
                    k = words.index('score')
                    score = (words[k + 1], int(words[k + 2]))
                if reply.startswith('bestmove'):
                    break
            if score is None:
                continue
            kind, v = score
            chance = (1.0 if v > 0 else 0.0) if kind == 'mate' else 1 / (1 + 10 ** (-v / 400))
            if sfen.split()[1] == 'w':  # the score is the side to move's
                chance = 1 - chance
            labelled[i] = f'{sfen}\t{a.mix * float(result) + (1 - a.mix) * chance:.4f}'
        send('quit')
        fs.wait()

    workers = [threading.Thread(target=label, args=(range(j, len(lines), a.jobs),)) for j in range(a.jobs)]
    for w in workers:
        w.start()
    for w in workers:
        w.join()
    with open(a.out, 'w') as f:
        for line in labelled:
            if line:
                f.write(line + '\n')
    print(f'{sum(1 for l in labelled if l)} of {len(lines)} positions labelled', file=sys.stderr)


if __name__ == '__main__':
    main()
