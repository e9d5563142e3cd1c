#!/usr/bin/python3
"""Writes astro/precise/testdata/moon_size_reference.txt: the moon's distance
from the centre of the Earth and its apparent diameter seen from there, at
chosen instants, from an independent high-precision ephemeris, PyEphem
(Debian's python3-ephem), for the accuracy tests of the moon's size.

    apt-get install python3-ephem
    /usr/bin/python3 data/tools/make_moon_size_reference.py > astro/precise/testdata/moon_size_reference.txt
    /usr/bin/python3 data/tools/make_moon_size_reference.py --all > FILE

The table holds every perigee and apogee of 2024 (PyEphem's least and
greatest distances, to the second), midnight UT of a few dates of 2024
(among them the supermoon of 17 October and a date of summer time), and
00:00 UT of 1 January and 1 July every ten years from 1900 to 2100.
--all writes a longer list (every 2 days at 00:00 UT from 1900 to 2100);
DAWN_MOON_SIZE_REFERENCE=FILE makes the test measure against it and print
the median and largest differences.

PyEphem's apparent diameter is 2 asin(1740 km / distance): it takes the
moon's radius as 1740 km where Dawnhelm takes the IAU mean radius, 1737.4 km,
so the tests scale it before they compare.

Lines: YYYY-MM-DD HH:MM:SS (UT);DISTANCE_KM;DIAMETER_ARCSEC
"""
import sys

import ephem

KM_PER_AU = 149597870.7

DATES_2024 = ["2024/1/1", "2024/3/31", "2024/6/21", "2024/10/17", "2024/12/31"]


def distance_km(when):
    moon = ephem.Moon()
    moon.compute(ephem.Date(when))
    return moon.earth_distance * KM_PER_AU


def row(when):
    moon = ephem.Moon()
    moon.compute(ephem.Date(when))
    y, mo, d, h, mi, s = ephem.Date(ephem.Date(when) + 0.5 / 86400).tuple()
    return "%04d-%02d-%02d %02d:%02d:%02d;%.1f;%.2f" % (
        y, mo, d, h, mi, int(s), moon.earth_distance * KM_PER_AU, moon.size)


def whole_second(date):
    return ephem.Date(round(float(date) * 86400.0) / 86400.0)


def extreme(a, b, sign):
    """The instant between a and b where sign * distance is least (golden section)."""
    g = (5 ** 0.5 - 1) / 2
    c, d = b - g * (b - a), a + g * (b - a)
    while b - a > 0.1 / 86400:
        if sign * distance_km(c) < sign * distance_km(d):
            b, d = d, c
            c = b - g * (b - a)
        else:
            a, c = c, d
            d = a + g * (b - a)
    return whole_second((a + b) / 2)


def apsides(year):
    """The perigees and apogees of a year, from the distance every hour."""
    start = float(ephem.Date("%d/1/1" % year))
    end = float(ephem.Date("%d/1/1" % (year + 1)))
    step = 1.0 / 24
    found = []
    t = start
    before, here = distance_km(t - step), distance_km(t)
    while t < end:
        after = distance_km(t + step)
        if here <= before and here < after:
            found.append(extreme(t - step, t + step, 1))
        elif here >= before and here > after:
            found.append(extreme(t - step, t + step, -1))
        before, here, t = here, after, t + step
    return found


def main():
    print("# Made by data/tools/make_moon_size_reference.py from PyEphem %s; UT, "
          "geocentric distance km, PyEphem's apparent diameter in arc seconds (moon radius 1740 km)."
          % ephem.__version__)
    if "--all" in sys.argv[1:]:
        t, end = ephem.Date("1900/1/1"), ephem.Date("2101/1/1")
        while t < end:
            print(row(t))
            t = ephem.Date(t + 2)
        return
    instants = apsides(2024) + [ephem.Date(d) for d in DATES_2024]
    for year in range(1900, 2101, 10):
        instants += [ephem.Date("%d/1/1" % year), ephem.Date("%d/7/1" % year)]
    for when in sorted(instants, key=float):
        print(row(when))


if __name__ == "__main__":
    main()
