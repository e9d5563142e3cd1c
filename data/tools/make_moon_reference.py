#!/usr/bin/python3
"""Writes astro/testdata/moonphase_reference.txt, the moon phase values the
astro tests compare with.

The values come from PyEphem (Debian package python3-ephem; apt-get install
python3-ephem), an independent high-precision ephemeris: the instants of the
principal phases (the moon's geocentric apparent ecliptic longitude less the
sun's is 0°, 90°, 180° or 270°) and the lit fraction of the disc seen from the
centre of the Earth. PyEphem brings its own ΔT, so its instants are
Universal Time as ours are.

    /usr/bin/python3 data/tools/make_moon_reference.py            # the committed table
    /usr/bin/python3 data/tools/make_moon_reference.py --all > FILE

--all writes every principal phase from 1900 to 2100 and the lit fraction
every 4 days; DAWN_MOON_REFERENCE=FILE makes the astro test measure against
that file instead and print the median and largest errors.
"""
import argparse
import math
import sys
from pathlib import Path

import ephem

KINDS = [
    ("new", ephem.next_new_moon),
    ("first", ephem.next_first_quarter_moon),
    ("full", ephem.next_full_moon),
    ("last", ephem.next_last_quarter_moon),
]


def iso(date):
    """An ephem date as YYYY-MM-DDTHH:MM:SS, rounded to the second."""
    y, mo, d, h, mi, s = ephem.Date(date + 0.5 / 86400).tuple()
    return "%04d-%02d-%02dT%02d:%02d:%02d" % (y, mo, d, h, mi, int(s))


def principal_phases(first_year, last_year):
    """Every principal phase from first_year to last_year, in time order."""
    start = ephem.Date("%d/1/1" % first_year)
    end = ephem.Date("%d/1/1" % (last_year + 1))
    events = []
    for name, following in KINDS:
        d = start
        while True:
            d = following(d)
            if d >= end:
                break
            events.append((float(d), name))
            d = ephem.Date(d + 1)
    events.sort()
    return events


def lit_fractions(first_year, last_year, step_days):
    """The lit fraction and the declination at 12:00 UT every step_days."""
    start = ephem.Date("%d/1/1 12:00" % first_year)
    end = ephem.Date("%d/1/1" % (last_year + 1))
    d = float(start)
    while d < end:
        moon = ephem.Moon(ephem.Date(d))
        yield d, moon.moon_phase, math.degrees(moon.dec)
        d += step_days


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--all", action="store_true",
                        help="every phase 1900-2100 on stdout, for measuring")
    args = parser.parse_args()

    lines = [
        "# The moon's principal phases and lit fraction from PyEphem %s" % ephem.__version__,
        "# (Debian package python3-ephem), an independent high-precision ephemeris.",
        "# Made by data/tools/make_moon_reference.py; instants in Universal Time.",
        "#   phase INSTANT new|first|full|last",
        "#   lit INSTANT FRACTION DECLINATION   (lit fraction of the disc and the moon's",
        "#   apparent declination in degrees, both seen from the Earth's centre)",
    ]
    phases = principal_phases(1900, 2100)
    if args.all:
        chosen = phases
        samples = list(lit_fractions(1900, 2100, 4))
    else:
        # Every phase of 2000 and 2001, and every 61st one over two centuries.
        chosen = [e for i, e in enumerate(phases)
                  if i % 61 == 0 or ephem.Date(e[0]).tuple()[0] in (2000, 2001)]
        samples = list(lit_fractions(1900, 2100, 197))
    lines += ["phase %s %s" % (iso(d), name) for d, name in chosen]
    lines += ["lit %s %.5f %.3f" % (iso(d), f, dec) for d, f, dec in samples]
    text = "\n".join(lines) + "\n"

    if args.all:
        sys.stdout.write(text)
    else:
        out = Path(__file__).resolve().parents[2] / "astro" / "testdata" / "moonphase_reference.txt"
        out.parent.mkdir(exist_ok=True)
        out.write_text(text, encoding="utf-8")
        print("wrote %s (%d phases, %d fractions)" % (out, len(chosen), len(samples)))


if __name__ == "__main__":
    main()
