#!/usr/bin/env python3
"""Reference values of the consistency tests, computed apart from Bubblix's own code.

The expected values in tests/core/analysis/consistency_test.cpp and the table of
docs/consistency.md come from this script. It shares nothing with the C++ code but the
data: it reads the measured points and the vapour-pressure tables from the C++ sources
(src/core/data/) and implements everything else anew in plain Python (double precision):

  * vapour pressures: the tables of comp.1 (kPa / 0.1333 = mm Hg) and comp.2 (mm Hg)
    interpolated linearly, the equation ln P/mm Hg = A - B / (T/K + C) for comp.3 and comp.4;
    133.3 Pa per mm Hg;
  * activity coefficients from the data, gamma_i = y_i P / (x_i Psat_i(T)), for the points
    with 0 < x1 < 1 and 0 < y1 < 1;
  * the area D of ln(gamma1/gamma2) over x1 = 0..1 (trapezoids, linear end extrapolation,
    sign changes split at the linear zero crossing) and Herington's J;
  * the point test: g = x1 x2 sum a_k L_k(2 x1 - 1), bubble temperatures solved by bisection
    to 1e-12 K (a converged root, whatever Bubblix's solver reports), the a_k fitted to the
    measured temperatures by Gauss-Newton with central differences until the step is below
    1e-13;
  * the test set: 15 bubble points of Wilson (comp.1-comp.4 parameters of the built-in fit,
    Lambda_ij = V_j / V_i exp(-a_ij / tau), V from the density tables) at 760 mm Hg for
    x1 = 0.05 ... 0.95, solved by bisection to 1e-12 K.

Run from the repository's root: python3 scripts/consistency_reference.py
"""

import math
import re
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
DATA = (ROOT / "src/core/data/experimental_data.cpp").read_text()
BASE = (ROOT / "src/core/data/component_base.cpp").read_text()

MMHG = 133.3
P_ATM = 101308.0


def array(source, name):
    body = re.search(r"constexpr \w+ " + name + r"\[\] = \{(.*?)\};", source, re.S).group(1)
    return [float(v.rstrip("L")) for v in re.findall(r"-?[0-9.]+L", body)]


def rows(source, name):
    body = re.search(r"constexpr PropertyRow " + name + r"\[\] = \{(.*?)\n\};", source, re.S)
    return [[float(v.rstrip("L")) for v in re.findall(r"-?[0-9.]+L", row)]
            for row in re.findall(r"\{([^{}]*)\}", body.group(1))]


def interpolate(x, X, Y):
    n = len(X)
    i = 1
    while i < n - 1 and X[i] < x:
        i += 1
    w = (x - X[i - 1]) / (X[i] - X[i - 1])
    return (1 - w) * Y[i - 1] + w * Y[i]


T1 = array(BASE, "kComponent1PressureTemperature")
P1 = [p / 0.1333 for p in array(BASE, "kComponent1VapourPressure")]
T2 = array(BASE, "kComponent2PressureTemperature")
P2 = array(BASE, "kComponent2VapourPressure")
ANTOINE = {3: (18.5875, 3626.55, -34.29), 4: (16.1516, 2790.5, -57.15)}
DENSITY = {c: ([r[0] for r in rows(BASE, "kComponent%d" % c)],
               [r[3] for r in rows(BASE, "kComponent%d" % c)]) for c in (1, 4)}
MOLAR_MASS = {1: 46.069, 4: 88.107}


def psat(component, t_c):
    """Pa at t degC."""
    if component == 1:
        return interpolate(t_c, T1, P1) * MMHG
    if component == 2:
        return interpolate(t_c, T2, P2) * MMHG
    a, b, c = ANTOINE[component]
    return math.exp(a - b / (t_c + 273.15 + c)) * MMHG


def bisect(f, lo, hi, tol=1e-12):
    flo = f(lo)
    for _ in range(200):
        mid = 0.5 * (lo + hi)
        fm = f(mid)
        if (fm > 0) == (flo > 0):
            lo, flo = mid, fm
        else:
            hi = mid
        if hi - lo < tol:
            break
    return 0.5 * (lo + hi)


def pure_boiling(component, p):
    return bisect(lambda t: psat(component, t) - p, -50.0, 250.0)


def built_in_set(i, j):
    """Points (t_c, P, x1, y1) with x1, y1 of component i."""
    def stored(a, b):
        name = "kSet%d%d" % (a, b)
        return array(DATA, name + "T"), array(DATA, name + "X"), array(DATA, name + "Y")
    if ("kSet%d%dT" % (i, j)) in DATA:
        t, x, y = stored(i, j)
    else:
        t, x, y = stored(j, i)
        x = [1 - v for v in x]
        y = [1 - v for v in y]
    return [(tk, P_ATM, xk, yk) for tk, xk, yk in zip(t, x, y)]


def interior(points):
    return [p for p in points if 0 < p[2] < 1 and 0 < p[3] < 1]


def ln_ratio(pair, p):
    t, P, x1, y1 = p
    g1 = y1 * P / (x1 * psat(pair[0], t))
    g2 = (1 - y1) * P / ((1 - x1) * psat(pair[1], t))
    return math.log(g1 / g2)


def areas(xs, fs):
    """A+ and A- (both >= 0) of the piecewise-linear f over x1 = 0..1."""
    def distinct_pair(seq):
        first = seq[0]
        for other in seq[1:]:
            if other[0] != first[0]:
                return first, other
        raise ValueError("all points at one x1")
    pts = sorted(zip(xs, fs), key=lambda p: p[0])
    (xa, fa), (xb, fb) = distinct_pair(pts)
    f0 = fa + (0 - xa) * (fb - fa) / (xb - xa)
    (xa, fa), (xb, fb) = distinct_pair(pts[::-1])
    f1 = fa + (1 - xa) * (fb - fa) / (xb - xa)
    nodes = [(0.0, f0)] + pts + [(1.0, f1)]
    up = down = 0.0
    for (xl, fl), (xr, fr) in zip(nodes, nodes[1:]):
        w = xr - xl
        if fl * fr < 0:
            xz = xl + w * fl / (fl - fr)
            parts = [(xz - xl, fl), (xr - xz, fr)]
            for width, f in parts:
                a = 0.5 * width * f
                up, down = (up + a, down) if a > 0 else (up, down - a)
        else:
            a = 0.5 * w * (fl + fr)
            up, down = (up + a, down) if a > 0 else (up, down - a)
    return up, down


def area_test(pair, points):
    pts = interior(points)
    up, down = areas([p[2] for p in pts], [ln_ratio(pair, p) for p in pts])
    D = 100 * abs(up - down) / (up + down)
    T = [p[0] + 273.15 for p in points]
    J = 150 * (max(T) - min(T)) / min(T)
    return D, J


def legendre(k, z):
    l0, l1 = 1.0, z
    if k == 0:
        return 1.0, 0.0
    d0, d1 = 0.0, 1.0
    for n in range(1, k):
        l0, l1 = l1, ((2 * n + 1) * z * l1 - n * l0) / (n + 1)
        d0, d1 = d1, d0 + (2 * n + 1) * l0  # L'_{n+1} = L'_{n-1} + (2n+1) L_n
    return l1, d1


def ln_gamma(a, x1):
    x2 = 1 - x1
    z = 2 * x1 - 1
    s = sum(ak * legendre(k, z)[0] for k, ak in enumerate(a))
    ds = sum(ak * 2 * legendre(k, z)[1] for k, ak in enumerate(a))  # d/dx1
    g = x1 * x2 * s
    dg = (x2 - x1) * s + x1 * x2 * ds
    return g + x2 * dg, g - x1 * dg


def bubble_t(pair, a, x1, P):
    l1, l2 = ln_gamma(a, x1)
    f = lambda t: (x1 * math.exp(l1) * psat(pair[0], t)
                   + (1 - x1) * math.exp(l2) * psat(pair[1], t)) / P - 1
    t = bisect(f, -50.0, 250.0)
    return t, x1 * math.exp(l1) * psat(pair[0], t) / P


def solve_linear(A, b):
    n = len(b)
    M = [row[:] + [b[i]] for i, row in enumerate(A)]
    for c in range(n):
        p = max(range(c, n), key=lambda r: abs(M[r][c]))
        M[c], M[p] = M[p], M[c]
        for r in range(n):
            if r != c:
                q = M[r][c] / M[c][c]
                M[r] = [u - q * v for u, v in zip(M[r], M[c])]
    return [M[i][n] / M[i][i] for i in range(n)]


def least_squares(residuals, a):
    for _ in range(100):
        r = residuals(a)
        J = []
        for k in range(len(a)):
            h = 1e-6
            up = residuals([v + (h if i == k else 0) for i, v in enumerate(a)])
            dn = residuals([v - (h if i == k else 0) for i, v in enumerate(a)])
            J.append([(u - d) / (2 * h) for u, d in zip(up, dn)])
        m = len(a)
        A = [[sum(J[i][p] * J[j][p] for p in range(len(r))) for j in range(m)] for i in range(m)]
        b = [-sum(J[i][p] * r[p] for p in range(len(r))) for i in range(m)]
        step = solve_linear(A, b)
        # halve the step while it raises the sum of squares (a damped Gauss-Newton step)
        s0 = sum(v * v for v in r)
        for _ in range(40):
            trial = [v + s for v, s in zip(a, step)]
            if sum(v * v for v in residuals(trial)) <= s0:
                break
            step = [0.5 * s for s in step]
        a = trial
        if max(abs(s) for s in step) < 1e-13:
            break
    return a


def point_test(pair, points, m=3):
    pts = sorted(interior(points), key=lambda p: p[2])
    # start: g/(x1 x2) from the data, fitted linearly
    rows_, rhs = [], []
    for t, P, x1, y1 in pts:
        g1 = y1 * P / (x1 * psat(pair[0], t))
        g2 = (1 - y1) * P / ((1 - x1) * psat(pair[1], t))
        g = x1 * math.log(g1) + (1 - x1) * math.log(g2)
        rows_.append([legendre(k, 2 * x1 - 1)[0] for k in range(m)])
        rhs.append(g / (x1 * (1 - x1)))
    A = [[sum(r[i] * r[j] for r in rows_) for j in range(m)] for i in range(m)]
    b = [sum(r[i] * v for r, v in zip(rows_, rhs)) for i in range(m)]
    start = solve_linear(A, b)

    def residuals(a):
        return [bubble_t(pair, a, p[2], p[1])[0] - p[0] for p in pts]

    a = least_squares(residuals, start)
    dy = [bubble_t(pair, a, p[2], p[1])[1] - p[3] for p in pts]
    dt = residuals(a)
    mean_dy = sum(abs(v) for v in dy) / len(dy)
    mean_dt = sum(abs(v) for v in dt) / len(dt)
    dw = sum((dy[k] - dy[k - 1]) ** 2 for k in range(1, len(dy))) / sum(v * v for v in dy)
    return a, mean_dy, mean_dt, dw


# ---- The Wilson test set ----
WILSON_A12 = 1.1331848558782005  # l12-l11 of the built-in Wilson fit of comp.1-comp.4
WILSON_A21 = 0.022861375977492205  # l21-l22


def wilson_ln_gamma(x1, t_c):
    tau = t_c / 273.15 + 1
    v1 = MOLAR_MASS[1] / interpolate(t_c, *DENSITY[1])
    v2 = MOLAR_MASS[4] / interpolate(t_c, *DENSITY[4])
    l12 = v2 / v1 * math.exp(-WILSON_A12 / tau)
    l21 = v1 / v2 * math.exp(-WILSON_A21 / tau)
    x2 = 1 - x1
    s1 = x1 + x2 * l12
    s2 = x1 * l21 + x2
    g1 = math.exp(1 - x1 / s1 - x2 * l21 / s2) / s1
    g2 = math.exp(1 - x1 * l12 / s1 - x2 / s2) / s2
    return math.log(g1), math.log(g2)


def wilson_set():
    points = []
    for k in range(15):
        x1 = 0.05 + k * 0.9 / 14

        def f(t):
            l1, l2 = wilson_ln_gamma(x1, t)
            return (x1 * math.exp(l1) * psat(1, t) + (1 - x1) * math.exp(l2) * psat(4, t)) / P_ATM - 1
        t = bisect(f, 0.0, 150.0)
        l1, _ = wilson_ln_gamma(x1, t)
        points.append((t, P_ATM, x1, x1 * math.exp(l1) * psat(1, t) / P_ATM))
    return points


FACTOR = 1.03  # y1 of the inconsistent copy: min(FACTOR * y1, 0.999)


def main():
    print("Built-in sets (component 1 first), 760 mm Hg:")
    for pair in ((1, 2), (1, 3), (1, 4), (2, 3), (2, 4), (3, 4)):
        pts = built_in_set(*pair)
        D, J = area_test(pair, pts)
        a, dy, dt, dw = point_test(pair, pts)
        ends = []
        for p in pts:
            if p[2] in (0.0, 1.0):
                c = pair[0] if p[2] == 1.0 else pair[1]
                ends.append("x1=%g t=%.2f pure %.3f" % (p[2], p[0], pure_boiling(c, p[1])))
        print("comp.%d-comp.%d: D = %.2f J = %.2f D-J = %.2f | a = %s mean|dy1| = %.5f "
              "mean|dt| = %.4f K DW = %.3f | %s"
              % (pair + (D, J, D - J, ", ".join("%.5f" % v for v in a), dy, dt, dw,
                         "; ".join(ends))))
    pair = (1, 4)
    good = wilson_set()
    bad = [(t, P, x1, min(FACTOR * y1, 0.999)) for t, P, x1, y1 in good]
    print("\nWilson test set (t_c, y1), 17 digits:")
    for t, P, x1, y1 in good:
        print("  {%.17gL, %.17gL, %.17gL}," % (x1, t, y1))
    for name, pts in (("consistent", good), ("y1 x %.2f" % FACTOR, bad)):
        D, J = area_test(pair, pts)
        a, dy, dt, dw = point_test(pair, pts)
        print("%s: D = %.10g J = %.10g D-J = %.10g a = %s mean|dy1| = %.10g mean|dt| = %.10g "
              "DW = %.10g" % (name, D, J, D - J, ["%.10g" % v for v in a], dy, dt, dw))
    return 0


if __name__ == "__main__":
    sys.exit(main())
