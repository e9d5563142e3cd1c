#!/usr/bin/env python3
"""A straightforward interpreted version of `dawnhelm-cli table`, kept as the
yardstick for the compiled one: every date computes the rise and the set each
with its own 24-hour scans of the date and the day before, the summer-time
window by walking the days of the months, and every crossing put on the date
the clock shows it on (the user's clock day, the clocks changing at 02:00
standard time), the plain way.

    bench/table_interpreted.py [--moon] [--whole-day] FROM TO   (dates as YYYY-MM-DD)

prints the same lines as `dawnhelm-cli table --settings <missing file>` (the
default place and rules) and, on stderr, the seconds it took per date. With
--whole-day every date also computes what the program's day record holds
besides (the other body, and both bodies on the day before), as the windows
do when they fill a range date by date.
"""
import datetime
import functools
import math
import sys
import time

LAT, LON, TZ = 3047, 328, 60
SEP = ":"
K = 0.26251616834300473
TWO_PI = 6.283185307179586
RAD = 0.017453292519943295


def jd0h(y, m, d, switch):
    g = 0 if y < switch else 1
    j = -math.floor(7 * (math.floor((m + 9) / 12) + y) / 4)
    k = 0
    if g == 1:
        s = (m > 9) - (m < 9)
        a = abs(m - 9)
        yy = math.floor(y + s * math.floor(a / 7))
        k = -math.floor((math.floor(yy / 100) + 1) * 3 / 4)
    j = j + math.floor(275 * m / 9) + d + g * k + 1721027 + 2 * g + 367 * y
    return j - 0.5


def sidereal(t, z0, lon):
    t0 = t / 36525
    s = 24110.5 + 8640184.813 * t0 + 86636.6 * z0 + 86400 * (lon / 360)
    s = s / 86400
    s = s - math.floor(s)
    return s * 360 * RAD


def asin_(s):
    return math.atan(s / math.sqrt(1 - s * s))


def frac(x):
    return (x - math.floor(x)) * TWO_PI


def sun_position(t, tt):
    l = frac(0.779072 + 0.00273790931 * t)
    g = frac(0.993126 + 0.0027377785 * t)
    v = 0.39785 * math.sin(l) - 0.01 * math.sin(l - g) + 0.00333 * math.sin(l + g) - 0.00021 * tt * math.sin(l)
    u = 1 - 0.03349 * math.cos(g) - 0.00014 * math.cos(2 * l) + 0.00008 * math.cos(l)
    w = (-0.0001 - 0.04129 * math.sin(2 * l) + 0.03211 * math.sin(g) + 0.00104 * math.sin(2 * l - g)
         - 0.00035 * math.sin(2 * l + g) - 0.00008 * tt * math.sin(g))
    a = l + asin_(w / math.sqrt(u - v * v))
    d = asin_(v / math.sqrt(u))
    return a, d


def moon_position(t):
    L = frac(0.606434 + 0.03660110129 * t)
    M = frac(0.374897 + 0.03629164709 * t)
    F = frac(0.259091 + 0.0367481952 * t)
    D = frac(0.827362 + 0.03386319198 * t)
    N = frac(0.347343 - 0.00014709391 * t)
    G = frac(0.993126 + 0.0027377785 * t)
    s = math.sin
    c = math.cos
    v = (0.39558 * s(F + N) + 0.082 * s(F) + 0.03257 * s(M - F - N) + 0.01092 * s(M + F + N)
         + 0.00666 * s(M - F) - 0.00644 * s(M + F - 2 * D + N) - 0.00331 * s(F - 2 * D + N)
         - 0.00304 * s(F - 2 * D) - 0.0024 * s(M - F - 2 * D - N) + 0.00226 * s(M + F)
         - 0.00108 * s(M + F - 2 * D) - 0.00079 * s(F - N) + 0.00078 * s(2 * D + F + N))
    u = (1 - 0.10828 * c(M) - 0.0188 * c(M - 2 * D) - 0.01479 * c(2 * D) + 0.00181 * c(2 * M - 2 * D)
         - 0.00147 * c(2 * M) - 0.00105 * c(2 * D - G) - 0.00075 * c(M - 2 * D + G))
    w = (0.10478 * s(M) - 0.04105 * s(2 * F + 2 * N) - 0.0213 * s(M - 2 * D) - 0.01779 * s(2 * F + N)
         + 0.01774 * s(N) + 0.00987 * s(2 * D) - 0.00338 * s(M - 2 * F - 2 * N) - 0.00309 * s(G)
         - 0.0019 * s(2 * F) - 0.00144 * s(M + N) - 0.00144 * s(M - 2 * F - N) - 0.00113 * s(M + 2 * F + 2 * N)
         - 0.00094 * s(M - 2 * D + G) - 0.00092 * s(2 * M - 2 * D))
    a = L + asin_(w / math.sqrt(u - v * v))
    d = asin_(v / math.sqrt(u))
    return a, d, 60.40974 * math.sqrt(u)


def fmt_time(h, m):
    return "%02d%s%02d" % (h, SEP, m)


def fmt_az(a):
    whole = int(a)
    minutes = math.floor((a - whole) * 60 + 0.5)
    if minutes == 60:
        whole, minutes = whole + 1, 0
    if whole == 360:
        whole = 0
    return "%d°%02d'" % (whole, minutes)


def scan(theta0, sphi, cphi, zc, kind, start, hour_end, moon):
    m8 = w8 = False
    a_s, d_s = start
    text, az_text = None, ""
    found = []  # every crossing of the requested kind: (minute of the day, azimuth text)
    v0 = v2 = 0.0
    for c in range(24):
        a_e, d_e = hour_end(c)
        th_s = theta0 + c * K
        th_e = th_s + K
        if moon and a_e < a_s:
            a_e += TWO_PI
        hs = th_s - a_s
        he = th_e - a_e
        hm = (hs + he) / 2
        dm = (d_s + d_e) / 2
        if c == 0:
            v0 = sphi * math.sin(d_s) + cphi * math.cos(d_s) * math.cos(hs) - zc
        v2 = sphi * math.sin(d_e) + cphi * math.cos(d_e) * math.cos(he) - zc
        if (v0 < 0 < v2) or (v0 > 0 > v2):
            v1 = sphi * math.sin(dm) + cphi * math.cos(dm) * math.cos(hm) - zc
            a = 2 * v2 - 4 * v1 + 2 * v0
            b = 4 * v1 - 3 * v0 - v2
            disc = b * b - 4 * a * v0
            if disc >= 0:
                r = math.sqrt(disc)
                rise = v0 < 0
                if rise:
                    m8 = True
                else:
                    w8 = True
                e = (-b + r) / (2 * a)
                if e > 1 or e < 0:
                    e = (-b - r) / (2 * a)
                t = c + e + 1 / 120
                h3 = math.floor(t)
                mins = math.floor((t - h3) * 60)
                h = hs + e * (he - hs)
                n = -math.cos(dm) * math.sin(h)
                q = cphi * math.sin(dm) - sphi * math.cos(dm) * math.cos(h)
                az = math.degrees(math.atan(n / q))
                if q < 0:
                    az += 180
                if az < 0:
                    az += 360
                if az > 360:
                    az -= 360
                if rise == (kind == "Rise"):
                    text = (h3, mins)
                    az_text = fmt_az(az)
                    found.append((min(h3 * 60 + mins, 1439), az_text))
        a_s, d_s = a_e, d_e
        v0 = v2
    # The time is the crossing of the requested kind that happened, whatever
    # the day's status; None when there was none.
    status = 4
    if not m8 and not w8:
        status = 2 if v2 < 0 else 3
    elif not m8 or not w8:
        status = 0 if not m8 else 1
    if text is not None and text[0] == 24:
        text = (23, 59)
    return status, None if text is None else fmt_time(*text), az_text, found


def sun_event(kind, date):
    phi, lam = LAT / 60, LON / 60
    z0 = -TZ / 1440
    j0 = jd0h(date.year, date.month, date.day, 1583)
    t = j0 - 2451545
    tt = t / 36525 + 1
    theta0 = sidereal(t, z0, lam)
    t1 = t + z0
    a1, d1 = sun_position(t1, tt)
    a2, d2 = sun_position(t1 + 1, tt)
    if a2 < a1:
        a2 += TWO_PI

    def end(c):
        p = (c + 1) / 24
        return a1 + p * (a2 - a1), d1 + p * (d2 - d1)

    zc = math.cos(90.833 * RAD)
    return scan(theta0, math.sin(phi * RAD), math.cos(phi * RAD), zc, kind, (a1, d1), end, False)


def moon_event(kind, date):
    phi, lam = LAT / 60, LON / 60
    z0 = -TZ / 1440
    t = jd0h(date.year, date.month, date.day, 1582) - 2451545
    theta0 = sidereal(t, z0, lam)
    t1 = t + z0
    p = [moon_position(t1 + 0.5 * k) for k in range(3)]
    a = [p[0][0], p[1][0], p[2][0]]
    d = [p[0][1], p[1][1], p[2][1]]
    if a[1] <= a[0]:
        a[1] += TWO_PI
    if a[2] <= a[1]:
        a[2] += TWO_PI
    zc = math.cos((90.567 - 41.685 / p[1][2]) * RAD)

    def along(y, q):
        aa = y[1] - y[0]
        bb = y[2] - y[1] - aa
        return y[0] + q * (2 * aa + (2 * q - 1) * bb)

    def end(c):
        q = (c + 1) / 24
        return along(a, q), along(d, q)

    return scan(theta0, math.sin(phi * RAD), math.cos(phi * RAD), zc, kind, (a[0], d[0]), end, True)


def nth_from_end(year, month, n, weekday):
    last = (datetime.date(year + (month == 12), month % 12 + 1, 1) - datetime.timedelta(days=1)).day
    result, count = None, 0
    for day in range(last, 0, -1):
        date = datetime.date(year, month, day)
        if date.isoweekday() % 7 + 1 == weekday:
            result = date
            count += 1
            if count == n:
                break
    return result


def in_summer(date):
    # The default rules: the last Sunday of March to the last Sunday of October.
    y = date.year
    s = lambda yy: nth_from_end(yy, 3, 1, 1)
    w = lambda yy: nth_from_end(yy, 10, 1, 1)
    winter = w(y - 1) if s(y) > date else w(y)
    summer = s(y) if w(y) > date else s(y + 1)
    return summer <= date < winter


def shift_at(date, minute):
    # The default rules change the clocks at 02:00 standard time.
    y = date.year
    if date == nth_from_end(y, 3, 1, 1):
        return 0 if minute < 120 else 60
    if date == nth_from_end(y, 10, 1, 1):
        return 60 if minute < 120 else 0
    return 60 if in_summer(date) else 0


def on_clock(date, found, clock_date):
    # The last crossing of a standard day that the clock shows on clock_date,
    # as (clock text, azimuth text).
    kept = None
    for minute, az in found:
        m = minute + shift_at(date, minute)
        if date + datetime.timedelta(days=m // 1440) == clock_date:
            kept = (fmt_time((m % 1440) // 60, m % 60), az)
    return kept


@functools.lru_cache(maxsize=8)
def scanned(event, kind, date):
    # Each standard day is scanned once: it serves its own date and the next.
    return event(kind, date)[3]


def clock_day(event, kind, date):
    # The user's clock day: the date's own last crossing that its clock keeps,
    # else the one the clock carries over from the standard day before.
    kept = on_clock(date, scanned(event, kind, date), date)
    if kept is None:
        before = date - datetime.timedelta(days=1)
        kept = on_clock(before, scanned(event, kind, before), date)
    return kept if kept is not None else ("", "")


def main():
    args = sys.argv[1:]
    moon = "--moon" in args
    whole_day = "--whole-day" in args
    args = [a for a in args if a not in ("--moon", "--whole-day")]
    first = datetime.date.fromisoformat(args[0])
    last = datetime.date.fromisoformat(args[1])
    event = moon_event if moon else sun_event
    started = time.perf_counter()
    out = []
    date = first
    while date <= last:
        rise, rise_az = clock_day(event, "Rise", date)
        set_, set_az = clock_day(event, "Set", date)
        if whole_day:
            other = sun_event if moon else moon_event
            before = date - datetime.timedelta(days=1)
            for kind in ("Rise", "Set"):
                other(kind, date)
                sun_event(kind, before)
                moon_event(kind, before)
        out.append("%s;%s;%s;%s;%s" % (date.isoformat(), rise, set_, rise_az, set_az))
        date += datetime.timedelta(days=1)
    elapsed = time.perf_counter() - started
    sys.stdout.write("\n".join(out) + "\n")
    days = (last - first).days + 1
    sys.stderr.write("%d dates in %.3f s: %.1f us per date\n" % (days, elapsed, elapsed / days * 1e6))


if __name__ == "__main__":
    main()
