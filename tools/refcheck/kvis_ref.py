#!/usr/bin/env python3
"""Plain reference computation: project file -> results report bytes.

Written straight from the rules, with no speed-ups, as a second opinion on the
engine and the report writer. usage: kvis_ref.py PROJECT.kvs OUT.kvr [arcs [loss]]"""
import math, re, sys

NOVETO = 999999999.999
NUM_RE = re.compile(r'[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?')
INT_RE = re.compile(r'[+-]?\d+')


def read_double(tok):
    m = NUM_RE.match(tok.lstrip())
    return float(m.group(0)) if m else 0.0


def read_int(tok):
    m = INT_RE.match(tok.lstrip())
    return int(m.group(0)) if m else None


class Crit:
    pass


class Proj:
    pass


def load(path):
    toks = re.split(r'[ \t\n\v\f\r]+', open(path, 'rb').read().decode('latin-1').strip(' \t\n\v\f\r'))

    def find(kw):
        for i, t in enumerate(toks):
            if t == kw:
                return i + 1
        return None

    def tok(i):
        return toks[i] if i < len(toks) else None
    P = Proj()
    i = find('no_of_criteria')
    m = read_int(tok(i)) if i is not None and tok(i) is not None else None
    if m is None or m < 1 or m > 100000:
        raise ValueError('no_of_criteria')
    i = find('no_of_alternatives')
    n = read_int(tok(i)) if i is not None and tok(i) is not None else None
    if n is None or n < 1 or n > 100000:
        raise ValueError('no_of_alternatives')
    P.m, P.n = m, n
    i = find('thres_s')
    if i is None or tok(i) is None:
        raise ValueError('thres_s')
    P.s = read_double(tok(i))
    if not P.s > 0:
        raise ValueError('thres_s')
    P.crit = [Crit() for _ in range(m)]

    def dbl(j):
        t = tok(j)
        return read_double(t) if t is not None else 0.0

    def flag(j):
        t = tok(j)
        v = read_int(t) if t is not None else None
        return 1 if v else 0
    i = find('criteria')
    if i is None:
        raise ValueError('criteria')
    for c in P.crit:
        c.name = tok(i) or ''
        c.direction, c.useVeto, c.inverse = flag(i + 1), flag(i + 2), flag(i + 3)
        i += 4
    i = find('weights')
    if i is None:
        raise ValueError('weights')
    for c in P.crit:
        c.w = dbl(i)
        i += 1
    for kw, attr in (('thres_p', 'p'), ('thres_q', 'q'), ('thres_v', 'v')):
        i = find(kw)
        if i is None:
            raise ValueError(kw)
        for c in P.crit:
            setattr(c, attr, (dbl(i), dbl(i + 1)))
            i += 2
    i = find('alternatives')
    if i is None:
        raise ValueError('alternatives')
    P.names = []
    P.g = []
    for a in range(n):
        P.names.append(tok(i) or '')
        i += 1
        row = []
        for c in range(m):
            row.append(dbl(i))
            i += 1
        P.g.append(row)
    P.maxArcs = 2
    P.loss = 0.1
    return P


def round_to_step(x, step):
    r = x + step / 2
    r += 1e-8 if x > 0 else -1e-8
    return math.floor(r / step) * step


def thr(c, line, x):
    a, b = line
    if c.inverse:
        d = (1 - a) if c.direction == 1 else (1 + a)
        a2, b2 = a / d, b / d
        return a2 * x + b2
    return a * x + b


def qf(c, x): return thr(c, c.q, x)
def pf(c, x): return thr(c, c.p, x)
def vf(c, x): return NOVETO if not c.useVeto else thr(c, c.v, x)


def cmin(x, y):
    return y if x >= y else x


class Engine:
    def __init__(self, P):
        self.P = P
        self.W = 0.0
        for c in P.crit:
            self.W += c.w

    def delta(self, j, a, b):
        g = self.P.g
        return g[b][j] - g[a][j] if self.P.crit[j].direction == 1 else g[a][j] - g[b][j]

    def pc(self, j, a, b):
        c = self.P.crit[j]
        ga = self.P.g[a][j]
        P_, Q = pf(c, ga), qf(c, ga)
        d = self.delta(j, a, b)
        if P_ < d:
            return 0.0
        u = P_ - d
        e = P_ - d if Q >= d else P_ - Q
        return 1.0 if u == e else u / e

    def C(self, a, b):
        s = 0.0
        for j, c in enumerate(self.P.crit):
            s += c.w * self.pc(j, a, b)
        return s / self.W

    def eff_veto(self, j, a, b, C):
        c = self.P.crit[j]
        ga, gb = self.P.g[a][j], self.P.g[b][j]
        V, P_, Qb = vf(c, ga), pf(c, ga), qf(c, gb)
        wh = c.w / self.W
        s = self.P.s
        if C < s:
            k = 1.0
        else:
            t = 1 - C - wh
            k = t / (1 - s - wh) if t > 0 else 0.0
        if k > 1:
            k = 1.0
        if k < 0:
            k = 0.0
        return V - cmin(V - P_, Qb * k)

    def veto_test(self, j, a, b, C):
        s = self.P.s
        if round_to_step(C, 0.01) < s:
            return 0
        c = self.P.crit[j]
        ga, gb = self.P.g[a][j], self.P.g[b][j]
        V, P_, Qb = vf(c, ga), pf(c, ga), qf(c, gb)
        wh = c.w / self.W
        t = 1 - C - wh
        den = 1 - s - wh
        if t <= 0 or den == 0:
            k = 0.0
        else:
            k = t / den
        if k > 1:
            k = 1.0
        if k < 0:
            k = 0.0
        vp = V - cmin(V - P_, Qb * k)
        return 1 if vp < self.delta(j, a, b) else 0

    def pd(self, j, a, b, C):
        Vp = self.eff_veto(j, a, b, C)
        P_ = pf(self.P.crit[j], self.P.g[a][j])
        d = self.delta(j, a, b)
        lo = (Vp - P_) * 0.5 + P_
        hi = (Vp - P_) * 0.5 + Vp
        if d <= lo:
            return 0.0
        if d >= hi:
            return 1.0
        return (d - (Vp + P_) * 0.5) / (Vp - P_)

    def fill(self):
        P = self.P
        n = P.n
        self.n = n
        self.ct, self.dt, self.ot, self.rt = [], [], [], []
        self.S = [0] * (n * n)
        self.R = [0.0] * (n * n)
        for a in range(n):
            for b in range(n):
                C = self.C(a, b)
                c = round_to_step(C, 0.01)
                self.ct.append('%5.2f' % c)
                D = 0
                for j in range(P.m):
                    if self.veto_test(j, a, b, C):
                        D = 1
                        break
                self.dt.append('*' if c < P.s else str(D))
                S = 1 if (c >= P.s and D == 0) else 0
                self.S[a * n + b] = S
                self.ot.append(str(S))
                r = C
                for j in range(P.m):
                    r *= (1 - self.pd(j, a, b, C))
                R = round_to_step(r, 0.01)
                self.R[a * n + b] = R
                self.rt.append('%5.2f' % R)
        self.MO = list(self.S)
        self.VG = list(self.S)
        self.VL = [0] * (n * n)
        self.VM = [-1] * (n * n)
        self.EM = [0] * n
        self.LC = [0] * n
        self.wvc = 0

    # ---- graph ----
    def members(self, v):
        n = self.n
        out = []
        for i in range(n):
            x = self.VM[v * n + i]
            if x == -1:
                break
            out.append(x)
        return out

    def set_singles(self):
        n = self.n
        for v in range(n):
            for i in range(n):
                self.VM[v * n + i] = -1
            self.VM[v * n] = v
            self.EM[v] = 0

    def build_lists(self, pred, k):
        n = self.n
        for i in range(n):
            self.LC[i] = 0
        for i in range(n * n):
            self.VL[i] = -1
        for y in range(k):
            for x in range(k):
                if x != y and self.VG[x * n + y] == 1:
                    if pred:
                        self.VL[y * n + self.LC[y]] = x
                        self.LC[y] += 1
                    else:
                        self.VL[x * n + self.LC[x]] = y
                        self.LC[x] += 1

    def prune_sinks(self, k):
        n = self.n
        changed = True
        while changed and any(self.LC[v] != 0 for v in range(k)):
            changed = False
            for x in range(k):
                if self.LC[x] == 0:
                    for y in range(k):
                        i = 0
                        while i < self.LC[y]:
                            if self.VL[y * n + i] == x:
                                last = self.LC[y] - 1
                                self.VL[y * n + i] = self.VL[y * n + last]
                                self.VL[y * n + last] = -1
                                self.LC[y] -= 1
                                changed = True
                            i += 1
        return 1 if any(self.LC[v] > 0 for v in range(k)) else 0

    def rebuild_vg(self, k):
        n = self.n
        for i in range(n * n):
            self.VG[i] = 0
        mem = [self.members(v) for v in range(k)]
        for v in range(k):
            for w in range(k):
                if v == w:
                    continue
                if any(self.MO[x * n + y] == 1 for x in mem[v] for y in mem[w]):
                    self.VG[v * n + w] = 1

    def vertex_with_rep(self, rep, k):
        n = self.n
        for v in range(k):
            if self.VM[v * n] == rep:
                return v
        raise RuntimeError('no vertex with representative %d' % rep)

    def condense(self, k):
        n = self.n
        x0 = next(v for v in range(k) if self.LC[v] > 0)
        path = [x0]
        cur = x0
        while True:
            nxt = self.VL[cur * n]
            rep = self.VM[nxt * n]
            if rep in path:
                f = path.index(rep)
                L = len(path)
                path.append(rep)
                break
            path.append(rep)
            cur = nxt
        newk = k - (L - f - 1)
        t = self.vertex_with_rep(path[f], k)
        tm = self.members(t)
        appended = 0
        for idx in range(f + 1, L):
            u = self.vertex_with_rep(path[idx], k)
            um = self.members(u)
            tm.extend(um)
            appended += len(um)
            self.LC[u] = -1
            self.EM[u] = 0
        for i in range(n):
            self.VM[t * n + i] = tm[i] if i < len(tm) else -1
        self.EM[t] += appended
        for _ in range(L - f - 1):
            idx = next(v for v in range(n) if self.LC[v] == -1)
            for v in range(idx, n - 1):
                for i in range(n):
                    self.VM[v * n + i] = self.VM[(v + 1) * n + i]
                self.LC[v] = self.LC[v + 1]
                self.EM[v] = self.EM[v + 1]
            self.EM[n - 1] = 0
            self.LC[n - 1] = 0
        for i in range(newk * n, n * n):
            self.VM[i] = -1
        self.rebuild_vg(newk)
        self.build_lists(False, newk)
        if self.prune_sinks(newk) == 1:
            newk = self.condense(newk)
        self.build_lists(True, newk)
        return newk

    def kernel(self, k):
        n = self.n
        self.wvc = k
        self.build_lists(True, k)
        while any(self.LC[v] > 0 for v in range(k)):
            for x in range(k):
                if self.LC[x] != 0:
                    continue
                for y in range(k):
                    if y == x or self.LC[y] <= 0:
                        continue
                    if x in [self.VL[y * n + i] for i in range(self.LC[y])]:
                        self.LC[y] = -1
                        for z in range(k):
                            if z == y or self.LC[z] < 1:
                                continue
                            i = 0
                            while i < self.LC[z]:
                                if self.VL[z * n + i] == y:
                                    last = self.LC[z] - 1
                                    self.VL[z * n + i] = self.VL[z * n + last]
                                    self.LC[z] -= 1
                                i += 1
        for v in range(k, n):
            self.LC[v] = -1
        for i in range(k * n, n * n):
            self.VL[i] = -1

    def breaks(self, arcs):
        n = self.n
        saveE, saveM = list(self.EM), list(self.VM)
        self.VG = list(self.MO)
        self.set_singles()
        for (a, b) in arcs:
            self.MO[a * n + b] = 0
            self.VG[a * n + b] = 0
        self.build_lists(False, n)
        kk = self.condense(n) if self.prune_sinks(n) == 1 else n
        res = 1 if any(self.EM[v] != saveE[v] for v in range(kk)) else 0
        for (a, b) in arcs:
            self.MO[a * n + b] = 1
            self.VG[a * n + b] = 1
        self.EM, self.VM = saveE, saveM
        return res

    def remerge(self, result, former_extra):
        n = self.n
        self.VG = list(self.MO)
        self.set_singles()
        self.build_lists(False, n)
        if self.prune_sinks(n) == 0:
            self.wvc += former_extra
            return 0
        self.wvc = self.condense(n)
        return result

    def cut_component(self, v):
        n = self.n
        P = self.P
        MO, R = self.MO, self.R
        K = self.members(v)
        e = self.EM[v]
        minInner = 2.0
        for xi in K:
            for xj in K:
                if MO[xi * n + xj] == 0 and R[xi * n + xj] < minInner:
                    minInner = R[xi * n + xj]
        complete = minInner == 2.0 and all(MO[xi * n + xj] != 0 for xi in K for xj in K)
        preds, succs = [], []
        for w in range(n):
            if w in K:
                continue
            for c in K:
                if MO[w * n + c] != 0:
                    preds.append(w)
                    break
                if MO[c * n + w] != 0:
                    succs.append(w)
                    break
        recs = []
        for side, lst in (('p', preds), ('s', succs)):
            for w in lst:
                runMax, runMin = (0.0, 1.0) if side == 'p' else (-1.0, 2.0)
                maxArc, minGap, d = -1.0, 2.0, -1
                for c in K:
                    idx = w * n + c if side == 'p' else c * n + w
                    r = R[idx]
                    if MO[idx] == 0 and r < runMin:
                        runMin = r
                        minGap = r
                        if (0.5 - runMin) < (runMax - 0.5) or d == -1:
                            d = 1
                    if MO[idx] != 0 and r > runMax:
                        runMax = r
                        maxArc = r
                        if (runMax - 0.5) < (0.5 - runMin) or d == -1:
                            d = 0
                if minGap > 1.0:
                    d = 1
                if maxArc < 0.0:
                    d = 0
                recs.append((side, w, maxArc, minGap, d))
        if complete and all(r[3] > 1.0 or r[2] < 0.0 for r in recs):
            return self.remerge(0, e)
        arcs = []
        for xi in K:
            for xj in K:
                if xi != xj and MO[xi * n + xj] != 0:
                    r = R[xi * n + xj]
                    pos = len(arcs)
                    for q, (rq, _, _) in enumerate(arcs):
                        if rq >= r:
                            pos = q
                            break
                    arcs.insert(pos, (r, xi, xj))
        A = len(arcs)
        Kc = min(P.maxArcs, A)
        best, unsucc = None, False
        for i in range(A):
            if self.breaks([(arcs[i][1], arcs[i][2])]) == 1:
                best, loss, limit = [i], arcs[i][0], i
                break
        else:
            unsucc = True
            best, loss, limit = [A - 1], arcs[A - 1][0], A - 1
        for s in range(2, 10):
            if s > 2 and Kc < s:
                break
            state = {'best': best, 'loss': loss, 'limit': limit, 'unsucc': unsucc}

            def rec(prefix, start):
                if len(prefix) == s:
                    if self.breaks([(arcs[i][1], arcs[i][2]) for i in prefix]) == 1 and \
                            (arcs[prefix[-1]][0] + P.loss < state['loss'] or state['unsucc']):
                        state['best'] = list(prefix)
                        state['loss'] = arcs[prefix[-1]][0]
                        state['limit'] = prefix[-1]
                        state['unsucc'] = False
                    return
                i = start
                while i < state['limit']:
                    rec(prefix + [i], i + 1)
                    i += 1
            rec([], 0)
            best, loss, limit, unsucc = state['best'], state['loss'], state['limit'], state['unsucc']
        E = -1.0
        for (side, w, maxArc, minGap, d) in recs:
            val = maxArc - 0.5 if d == 0 else 0.5 - minGap
            if val > E:
                E = val
        Ac = round_to_step(loss - 0.5, 0.00001)
        Bc = round_to_step(E, 0.00001)
        Cc = round_to_step(0.5 - minInner, 0.00001)
        if Ac <= Bc or Ac <= Cc:
            if unsucc:
                return -1
            for i in best:
                MO[arcs[i][1] * n + arcs[i][2]] = 0
            result = 1
        else:
            for xi in K:
                for xj in K:
                    MO[xi * n + xj] = 1
            for (side, w, maxArc, minGap, d) in recs:
                for c in K:
                    idx = w * n + c if side == 'p' else c * n + w
                    MO[idx] = d
            result = 0
        return self.remerge(result, e)

    def resolve_pair(self, a, b):
        n = self.n
        S, R, MO = self.S, self.R, self.MO
        A, B = self.members(a), self.members(b)
        rel = 0
        for ai in A:
            for bj in B:
                if S[ai * n + bj] or S[bj * n + ai]:
                    rel = 2 if S[bj * n + ai] == 1 else 1
                    break
            if rel:
                break
        if rel == 0:
            return self.remerge(0, 0)

        def inner(G):
            vals, flag = [], False
            for x in G:
                o = i_ = 0.0
                for y in G:
                    if y == x:
                        continue
                    if R[x * n + y] > o:
                        o = R[x * n + y]
                    if R[y * n + x] > i_:
                        i_ = R[y * n + x]
                vals.append(cmin(o, i_))
                if o <= i_:
                    flag = True
            return vals, flag
        innerA, flagA = inner(A)
        innerB, flagB = inner(B)

        def gap(src, dst):
            out = []
            for y in dst:
                g = 2.0
                for x in src:
                    if S[x * n + y] == 0 and R[x * n + y] < g:
                        g = R[x * n + y]
                out.append(g)
            return out

        def mx_(src, dst):
            out = []
            for x in src:
                g = 0.0
                for y in dst:
                    if R[x * n + y] > g:
                        g = R[x * n + y]
                out.append(g)
            return out
        if rel == 2:
            mn = cmin(1.0, min(gap(B, A)))
            mx = max(0.0, max(mx_(B, A)))
        else:
            mn = cmin(1.0, min(gap(A, B)))
            mx = max(0.0, max(mx_(A, B)))
        mode = 1 if (0.5 - mn) < (mx - 0.5) else 0
        t = 0.5 - mn if mode == 1 else mx - 0.5
        x = None
        for i, ai in enumerate(A):
            if innerA[i] - 0.5 < t:
                mode, x = 2, ai
        for j, bj in enumerate(B):
            if innerB[j] - 0.5 < t:
                mode, x = 3, bj
        result = 0
        if mode == 0:
            for ai in A:
                for bj in B:
                    MO[ai * n + bj] = 0
                    MO[bj * n + ai] = 0
        elif mode == 1:
            for ai in A:
                for bj in B:
                    if rel == 1:
                        MO[ai * n + bj] = 1
                    else:
                        MO[bj * n + ai] = 1
        else:
            G, flag = (A, flagA) if mode == 2 else (B, flagB)
            for y in G:
                if y == x:
                    continue
                if flag:
                    MO[x * n + y] = 0
                else:
                    MO[y * n + x] = 0
            for ai in A:
                for bj in B:
                    MO[ai * n + bj] = S[ai * n + bj]
                    MO[bj * n + ai] = S[bj * n + ai]
            result = 1
        return self.remerge(result, 0)

    def run(self):
        n = self.n
        self.wvc = n
        self.set_singles()
        self.build_lists(False, n)
        cyclic = self.prune_sinks(n)
        k = self.condense(n) if cyclic else n
        self.wvc = k
        self.VG = list(self.MO)
        rounds = 0
        while True:
            if not cyclic:
                self.kernel(k)
                return True
            rounds += 1
            if rounds > 10000:
                return False
            cyclic = 0
            vals = [self.EM[v] for v in range(k)]
            order = []
            used = [False] * k
            for _ in range(k):
                bi = -1
                for v in range(k):
                    if not used[v] and (bi == -1 or vals[v] > vals[bi]):
                        bi = v
                used[bi] = True
                order.append(bi)
            cut1 = False
            for v in order:
                if v >= k or self.EM[v] == 0:
                    continue
                r = self.cut_component(v)
                if r == -1:
                    return False
                k = self.wvc
                if r == 1:
                    cyclic = 1
                    cut1 = True
                    break
            if cut1:
                k = self.wvc
            else:
                a = 0
                done = False
                while a <= k - 2 and not done:
                    b = a + 1
                    while b <= k - 1 and not done:
                        if self.EM[a] != 0 and self.EM[b] != 0:
                            cyclic = self.resolve_pair(a, b)
                            k = self.wvc
                            if cyclic == 1:
                                done = True
                        b += 1
                    a += 1


# ---- report ----
def trim_zeros(s):
    while len(s) > 1 and s[-1] == '0':
        s = s[:-1]
    if len(s) > 1 and s[-1] in '.,':
        s = s[:-1]
    return s


def mat_section(out, title, names, cols, cells, ncols):
    out.append(title + '\n')
    out.append('%-8s\t' % ' ' + ''.join('%-8s\t' % c for c in cols) + '\n')
    for a, nm in enumerate(names):
        out.append('%-8s\t' % nm + ''.join('%-8s\t' % cells[a * ncols + b] for b in range(ncols)) + '\n')
    out.append('\n')


def report(P, E, mask):
    out = []
    n, m = P.n, P.m
    names = P.names
    if mask & 128:
        out.append('[Input Data]\n')
        out.append('Level of concordance = %4.2f\n' % P.s)
        out.append('Max. number of arcs checked for cutting a cycle = %2d\n' % P.maxArcs)
        out.append('Acceptable loss for cutting a smaller number of arcs = %4.2f\n\n' % P.loss)
        out.append('[Criteria]\n')
        out.append('%69.69s\n' % 'T h r e s h o l d s')
        out.append('%25.25s%18.18s%21.21s%19.19s%14.14s\n' % ('Pref.', 'Indiference', 'Preference', 'Veto', 'Comp.'))
        out.append('%12.12s %6.6s %5.5s %6.6s %14.14s %6.6s %14.14s %6.6s %14.14s %5.5s\n' % (
            'Criterion', 'Weight', 'dir.', 'alfa', 'beta', 'alfa', 'beta', 'alfa', 'beta', 'mode'))
        for c in P.crit:
            line = '%12.12s ' % c.name + '%6.6s ' % trim_zeros('%.2f' % c.w)
            line += '%5.5s ' % ('asc.' if c.direction == 1 else 'desc.')
            for ln in (c.q, c.p):
                line += '%6.6s ' % trim_zeros('%.2f' % ln[0]) + '%14.14s ' % trim_zeros('%.2f' % ln[1])
            if c.useVeto:
                line += '%6.6s ' % trim_zeros('%.2f' % c.v[0]) + '%14.14s ' % trim_zeros('%.2f' % c.v[1])
            else:
                line += '%6.6s ' % 'N/A' + '%14.14s ' % 'N/A'
            line += '%5.5s\n' % ('inv.' if c.inverse else 'dir.')
            out.append(line)
        out.append('\n')
        texts = ['%g' % P.g[a][j] for a in range(n) for j in range(m)]
        mat_section(out, '[Alternatives]', names, [c.name for c in P.crit], texts, m)
    side = {}
    def side_file(title, texts, cell):
        so = []
        mat_section(so, title, names, names, texts, n)
        for j, c in enumerate(P.crit):
            so.append('[%s]\n' % c.name)
            so.append('%-8s\t' % ' ' + ''.join('%-8s\t' % x for x in names) + '\n')
            for a in range(n):
                so.append('%-8s\t' % names[a] + ''.join('%-8s\t' % cell(j, a, b) for b in range(n)) + '\n')
            so.append('\n')
        return so
    if mask & 64:
        mat_section(out, '[Matrix of concordance]', names, names, E.ct, n)
        side['c'] = side_file('[Matrix of concordance]', E.ct,
                              lambda j, a, b: '%6.3f' % round_to_step(E.pc(j, a, b), 0.01))
    if mask & 32:
        mat_section(out, '[Matrix of discordance]', names, names, E.dt, n)
        side['d'] = side_file('[Matrix of discordance]', E.dt,
                              lambda j, a, b: '%d' % E.veto_test(j, a, b, E.C(a, b)))
    if mask & 16:
        mat_section(out, '[Matrix of robustness]', names, names, E.rt, n)
    if mask & 8:
        mat_section(out, '[Matrix of outranking]', names, names, E.ot, n)
    if mask & 2:
        out.extend(modified_section(P, E))
    if mask & 1:
        out.extend(kernel_section(P, E))
        out.append('[Final graph]\n')
        k = E.vc
        for v in range(k):
            mem = E.members(v)
            art = len(mem) > 1
            num = mem[0] if not art else n - 1 + ordinal(E, v)
            out.append('%d - %-10s: ' % (num, 'Artificial' if art else 'Natural') + ', '.join(names[x] for x in mem) + '\n')
            for label, cond in (('\tOutranks: ', lambda w: E.VG[v * n + w] == 1),
                                ('\tIs outranked by: ', lambda w: E.VG[w * n + v] == 1)):
                parts = [', '.join(names[x] for x in E.members(w)) for w in range(k) if w != v and cond(w)]
                out.append(label + ' ,'.join(parts) + '\n')
        out.append('\n')
    return ''.join(out), {k: ''.join(v) for k, v in side.items()}


def ordinal(E, v):
    if len(E.members(v)) < 2:
        return 0
    return 1 + sum(1 for w in range(v) if len(E.members(w)) > 1)


def arc_kind(E, v):
    n, k = E.n, E.vc
    o = any(E.VG[v * n + w] == 1 for w in range(k) if w != v)
    i = any(E.VG[w * n + v] == 1 for w in range(k) if w != v)
    return {(False, False): 'Isolated', (True, False): 'Initial', (True, True): 'Intermediate', (False, True): 'Final'}[(o, i)]


def modified_section(P, E):
    n = P.n
    out = ['[Modified graph]\n']
    for a in range(n):
        for b in range(n):
            if a == b:
                continue
            d = E.MO[a * n + b] - E.S[a * n + b]
            if d == -1:
                out.append('\tRemoved %s -> %s (Coef. of rob. = %.3f)\n' % (P.names[a], P.names[b], E.R[a * n + b]))
            elif d == 1:
                out.append('\tAdded   %s -> %s (Coef. of rob. = %.3f)\n' % (P.names[a], P.names[b], E.R[a * n + b]))
    out.append('\n')
    return out


def kernel_section(P, E):
    out = ['[Kernel]\n']
    for v in range(E.vc):
        if E.LC[v] != 0:
            continue
        mem = E.members(v)
        art = len(mem) > 1
        out.append('\t%-10s: ' % ('Artificial' if art else 'Natural') + ', '.join(P.names[x] for x in mem)
                   + ' - ' + arc_kind(E, v) + '\n')
    out.append('\n')
    return out


def compute(P):
    E = Engine(P)
    E.fill()
    ok = E.run()
    if not ok:
        return None
    k = 0
    while k < P.n and E.VM[k * P.n] != -1:
        k += 1
    E.vc = k
    return E


def crlf(s):
    return s.replace('\n', '\r\n').encode('latin-1')


if __name__ == '__main__':
    P = load(sys.argv[1])
    outp = sys.argv[2]
    if len(sys.argv) > 3:
        P.maxArcs = int(sys.argv[3])
    if len(sys.argv) > 4:
        P.loss = float(sys.argv[4])
    E = compute(P)
    if E is None:
        print('ENGINE FAILED')
        sys.exit(3)
    main, sides = report(P, E, 255)
    open(outp, 'wb').write(crlf(main))
    for letter, txt in sides.items():
        import os
        d, f = os.path.split(outp)
        i = f.find('.')
        f2 = f + '.' + letter if i < 0 else (f + letter if i == len(f) - 1 else f[:i + 1] + letter + f[i + 2:])
        open(os.path.join(d, f2), 'wb').write(crlf(txt))
