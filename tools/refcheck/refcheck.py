#!/usr/bin/env python3
"""Differential check of kvis-batch against the plain reference computation.

Generates random valid projects, computes each with both, and compares the
results file and its side files byte for byte.

usage: refcheck.py KVIS_BATCH FIRST_SEED LAST_SEED [--cyclic | --ties] [--nmax N] [--arcs K] [--loss X]

Fails when some project differs, and when no project was compared at all.
"""
import argparse, os, subprocess, sys, tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import gen, kvis_ref  # noqa: E402


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument('batch')
    ap.add_argument('first', type=int)
    ap.add_argument('last', type=int)
    mode = ap.add_mutually_exclusive_group()
    mode.add_argument('--cyclic', action='store_true')
    mode.add_argument('--ties', action='store_true')
    ap.add_argument('--nmax', type=int, default=10)
    ap.add_argument('--arcs', type=int, default=2)
    ap.add_argument('--loss', type=float, default=0.1)
    args = ap.parse_args()
    os.environ['NMAX'] = str(args.nmax)
    if args.cyclic:
        os.environ['CYC'] = '1'
    if args.ties:
        os.environ['TIES'] = '1'
    compared = failures = 0
    with tempfile.TemporaryDirectory() as d:
        for seed in range(args.first, args.last + 1):
            kvs = os.path.join(d, 'p%d.kvs' % seed)
            if not gen.gen(seed, kvs):
                continue
            out = os.path.join(d, 'c%d.kvr' % seed)
            r = subprocess.run([args.batch, 'compute', kvs, '-o', out, '--arcs', str(args.arcs),
                                '--loss', str(args.loss)], capture_output=True)
            if r.returncode == 2:  # refused by validation: nothing to compare
                continue
            P = kvis_ref.load(kvs)
            P.maxArcs, P.loss = args.arcs, args.loss
            E = kvis_ref.compute(P)
            if E is None or r.returncode != 0:
                if not (E is None and r.returncode == 3):
                    print('seed %d: reference %s, kvis-batch exit %d' %
                          (seed, 'failed' if E is None else 'computed', r.returncode))
                    failures += 1
                compared += 1
                continue
            main_text, sides = kvis_ref.report(P, E, 255)
            expected = {'k': kvis_ref.crlf(main_text)}
            expected.update({k: kvis_ref.crlf(v) for k, v in sides.items()})
            for letter, data in expected.items():
                path = out if letter == 'k' else out[:-3] + letter + 'vr'
                with open(path, 'rb') as f:
                    if f.read() != data:
                        print('seed %d: %s differs' % (seed, os.path.basename(path)))
                        failures += 1
            compared += 1
    print('%d projects compared, %d differences' % (compared, failures))
    # A sweep that compared nothing checked nothing.
    return 1 if failures or compared == 0 else 0


if __name__ == '__main__':
    sys.exit(main())
