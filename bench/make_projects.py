#!/usr/bin/env python3
"""Writes the projects of the batch benchmark, seeded, into a folder.

usage: make_projects.py OUTDIR [--sizes 300,1000,3000]

Writes one PROJECT.kvs per input and OUTDIR/manifest, one line per input:
NAME FILE [kvis-batch options]. The projects are generated, never committed:
at n = 3,000 a project is 600 kB and the results 100 MB.

Families (m = 10, indices shuffled so that neither follows the quality):
- acyclic-N: every alternative has its own quality level, further apart than
  the preference threshold on every criterion; a transitive relation.
- cyclic-N: groups of six similar alternatives (differences below the
  preference threshold) at a low level of concordance: many cycles, some arcs
  missing; groups far apart relate one way only.

Reproducers (the slow cases found on small projects):
- random-80x5: random data, 80 alternatives, 5 criteria, a low level;
- random2-200, random2-300: random data on 2 criteria;
- crisp-72: equal weights and crisp thresholds (p = q), evaluations on a
  coarse grid, 72 alternatives;
- ten-arcs9: 10 alternatives, up to 9 arcs checked for cutting a cycle, on
  a group where only a set of eight arcs breaks the cycle.
"""
import argparse
import os
import random


def write(path, s, crit, rows):
    """crit: (name, direction, useVeto, inverse, weight, p, q, v), each
    threshold an (alpha, beta) pair."""
    with open(path, 'w') as f:
        f.write(f"no_of_criteria {len(crit)}\nno_of_alternatives {len(rows)}\nthres_s {s:.3f}\ncriteria ")
        for c in crit:
            f.write(f"{c[0]} {c[1]} {c[2]} {c[3]} ")
        f.write("\nweights ")
        for c in crit:
            f.write(f"{c[4]:.3f} ")
        for kw, idx in (("thres_p", 5), ("thres_q", 6), ("thres_v", 7)):
            f.write(f"\n{kw} ")
            for c in crit:
                f.write(f"{c[idx][0]:.3f} {c[idx][1]:.3f} ")
        f.write("\nalternatives\n")
        for a, row in enumerate(rows):
            f.write(f"alt{a + 1} ")
            for g in row:
                f.write(f"{g:.3f} ")
            f.write("\n")


def family(n, cyclic):
    rnd = random.Random(n * 2 + (1 if cyclic else 0))
    m = 10
    crit = [(f"crit{j + 1}", 1, 1, 0, 1.0 + j % 3, (0, 3), (0, 1), (0, 50)) for j in range(m)]
    level = [i // 6 if cyclic else i for i in range(n)]
    rnd.shuffle(level)
    noise = 4.0 if cyclic else 5.0
    rows = [[10.0 * level[i] + rnd.uniform(0, noise) for _ in range(m)] for i in range(n)]
    return (0.55 if cyclic else 0.8), crit, rows


def random_data(seed, n, m, level):
    rnd = random.Random(seed)
    crit = []
    for j in range(m):
        q = rnd.choice([0, 1, 2])
        p = q + rnd.choice([1, 3, 5])
        v = p + rnd.choice([5, 10, 20])
        crit.append((f"c{j + 1}", rnd.randint(0, 1), rnd.randint(0, 1), 0, rnd.choice([1, 2, 3, 1.5]),
                     (0, p), (0, q), (0, v)))
    rows = [[rnd.randint(0, 40) for _ in range(m)] for _ in range(n)]
    return level, crit, rows


def crisp(seed, n, m):
    rnd = random.Random(seed)
    crit = []
    for j in range(m):
        p = rnd.choice([0, 1])
        crit.append((f"c{j + 1}", rnd.randint(0, 1), 0, 0, 1.0, (0, p), (0, p), (0, p + 3)))
    profiles = [[rnd.randint(0, 4) for _ in range(m)] for _ in range(12)]
    rows = [list(rnd.choice(profiles)) if rnd.random() < 0.5 else [rnd.randint(0, 4) for _ in range(m)]
            for _ in range(n)]
    return 0.6, crit, rows


def ten_arcs9():
    """Ten alternatives that all outrank each other but for one pair: only the
    eight other arcs out of alt1 (or into alt10), removed together, break the
    cycle, and nothing smaller does."""
    crit = [("c1", 1, 0, 0, 4.0, (0, 4.6), (0, 4.4), (0, 0)), ("c2", 1, 0, 0, 1.0, (0, 1), (0, 0), (0, 0)),
            ("c3", 1, 0, 0, 1.0, (0, 1), (0, 0), (0, 0))]
    rows = [[0.5 * a, 10, 10] for a in range(10)]
    return 0.8, crit, rows


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument('outdir')
    ap.add_argument('--sizes', default='300,1000,3000')
    args = ap.parse_args()
    os.makedirs(args.outdir, exist_ok=True)
    inputs = []
    for n in (int(x) for x in args.sizes.split(',')):
        for cyclic in (False, True):
            inputs.append((f"{'cyclic' if cyclic else 'acyclic'}-{n}", family(n, cyclic), ''))
    inputs.append(('random-80x5', random_data(80, 80, 5, 0.55), ''))
    inputs.append(('random2-200', random_data(200, 200, 2, 0.6), ''))
    inputs.append(('random2-300', random_data(300, 300, 2, 0.6), ''))
    inputs.append(('crisp-72', crisp(72, 72, 5), ''))
    inputs.append(('ten-arcs9', ten_arcs9(), '--arcs 9'))
    with open(os.path.join(args.outdir, 'manifest'), 'w') as manifest:
        for name, (s, crit, rows), options in inputs:
            path = os.path.join(args.outdir, name + '.kvs')
            write(path, s, crit, rows)
            manifest.write(f"{name} {name}.kvs {options}".rstrip() + "\n")


if __name__ == '__main__':
    main()
