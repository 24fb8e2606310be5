#!/usr/bin/env python3
"""Random valid projects for differential checks."""
import os, random, sys


def write(path, s, crit, rows):
    with open(path, 'w') as f:
        f.write(f"no_of_criteria {len(crit)}\nno_of_alternatives {len(rows)}\nthres_s {s:.3f}\ncriteria ")
        for c in crit: f.write(f"{c[0]} {c[1]} {c[2]} {c[3]} ")
        f.write("\nweights ")
        for c in crit: f.write(f"{c[4]:.3f} ")
        for kw, idx in (("thres_p", 5), ("thres_q", 6), ("thres_v", 7)):
            f.write(f"\n{kw} ")
            for c in crit: f.write(f"{c[idx][0]:.3f} {c[idx][1]:.3f} ")
        f.write("\nalternatives\n")
        for a, row in enumerate(rows):
            f.write(f"a{a} ")
            for g in row: f.write(f"{g:.3f} ")
            f.write("\n")


def gen_ties(seed, path):
    """Ties everywhere: equal weights, crisp thresholds (p = q) and integer veto
    thresholds, evaluations on a coarse integer grid, and a level that the
    concordance indices k/m often reach exactly. Groups of equal alternatives
    become artificial vertices, so pairs of them are treated too."""
    rnd = random.Random(seed)
    m = rnd.randint(3, 6)
    n = rnd.randint(4, int(os.environ.get('NMAX', '14')))
    w = rnd.choice([1, 2, 0.5])
    upper = 1 - 1 / m
    levels = [round(k / m, 2) for k in range(m) if 0.5 <= round(k / m, 2) <= upper]
    s = rnd.choice(levels + [0.5, round(rnd.uniform(0.5, upper), 2)])
    if s > upper:
        return False
    grid = rnd.choice([1, 2, 3, 4])
    crit = []
    for j in range(m):
        p = rnd.choice([0, 0, 1])
        useV = 1 if rnd.random() < 0.5 else 0
        v = p + rnd.randint(1, grid)
        crit.append((f"c{j}", rnd.randint(0, 1), useV, 0, w, (0, p), (0, p), (0, v)))
    # Copies of a few profiles, so that equal alternatives are common.
    profiles = [[rnd.randint(0, grid) for _ in range(m)] for _ in range(rnd.randint(2, max(2, n // 2)))]
    rows = [list(rnd.choice(profiles)) if rnd.random() < 0.7 else [rnd.randint(0, grid) for _ in range(m)]
            for _ in range(n)]
    write(path, s, crit, rows)
    return True


def gen(seed, path):
    if os.environ.get('TIES'):
        return gen_ties(seed, path)
    rnd = random.Random(seed)
    m = rnd.randint(1, 5) if rnd.random() < 0.1 else rnd.randint(2, 5)
    n = rnd.randint(2, int(os.environ.get('NMAX','14')))
    crit = []
    for j in range(m):
        d = rnd.randint(0, 1)
        useV = 1 if rnd.random() < 0.5 else 0
        inv = 1 if rnd.random() < 0.15 else 0
        w = rnd.choice([1, 2, 3, 0.5, 1.5, 4, 0.333, 2.25])
        q = rnd.choice([0, 1, 2, 5])
        p = q + rnd.choice([0, 1, 3, 5, 10])
        v = p + rnd.choice([1, 5, 10, 20])
        aq = rnd.choice([0, 0, 0, 0.05, 0.1])
        ap = aq + rnd.choice([0, 0, 0.05])
        av = ap + rnd.choice([0, 0.1])
        crit.append((f"c{j}", d, useV, inv, w, (ap, p), (aq, q), (av, v)))
    W = sum(c[4] for c in crit); wmin = min(c[4] for c in crit)
    upper = 1 - wmin / W
    if m == 1 or upper < 0.51:
        return False
    s = round(rnd.uniform(0.5, upper - 0.005), 2)
    if os.environ.get('CYC'):
        s = round(rnd.uniform(0.5, min(0.6, upper - 0.005)), 2)
    if s < 0.5 or s > upper or abs(wmin / W - s) < 0.002:
        return False
    base = [rnd.randint(0, 40) for _ in range(m)]
    spread = rnd.choice([3, 8, 20, 40]) if not os.environ.get('CYC') else rnd.choice([4, 6, 10])
    rows = [[base[j] + rnd.randint(0, spread) for j in range(m)] for _ in range(n)]
    write(path, s, crit, rows)
    return True

if __name__ == '__main__':
    print(gen(int(sys.argv[1]), sys.argv[2]))
