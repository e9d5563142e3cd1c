#!/usr/bin/python3
"""Writes astro/precise/testdata/position_reference.txt: where the sun and the
moon stand in a place's sky at chosen instants, from an independent
high-precision ephemeris, PyEphem (Debian's python3-ephem), for the accuracy
tests of the positions.

    apt-get install python3-ephem
    /usr/bin/python3 data/tools/make_position_reference.py > astro/precise/testdata/position_reference.txt
    /usr/bin/python3 data/tools/make_position_reference.py --all > FILE

Altitudes are topocentric and geometric (pressure 0, no refraction), for a
place at sea level; azimuths from north through east; the lit percentage of
the moon's disc and its distance from the place (PyEphem's earth_distance of a
body an observer sees). Each place
also gets the instants its moon's centre rises through the horizon and
sets, and ten minutes after the rise, where the parallax weighs most.
--all writes a longer list (every 5 days from 1900 to 2100 at each place);
DAWN_POSITION_REFERENCE=FILE makes the test measure against it and print the
largest differences.

Lines: PLACE;LAT_MINUTES;LON_MINUTES;YYYY-MM-DD HH:MM:SS (UT);SUN_ALT;SUN_AZ;
MOON_ALT;MOON_AZ;MOON_LIT_PERCENT;MOON_DISTANCE_KM
"""
import math
import sys

import ephem

PLACES = [
    ("velmoren", 3047, 328),
    ("sydney", -2032, 9073),
    ("tromso", 4179, 1138),
    ("quito", -13, -4710),
    ("anchorage", 3673, -8994),
]

INSTANTS = [
    "1900/3/1 06:00:00",
    "1969/7/20 20:17:00",
    "2000/1/1 12:00:00",
    "2024/4/8 18:20:00",
    "2024/6/21 03:30:00",
    "2024/12/21 15:45:00",
    "2050/9/15 22:10:00",
    "2100/11/30 09:00:00",
]

MOONRISE_DATES = ["2024/3/10", "2024/9/17"]

KM_PER_AU = 149597870.7


def observer(lat_minutes, lon_minutes, when):
    o = ephem.Observer()
    o.lat = str(lat_minutes / 60.0)
    o.lon = str(lon_minutes / 60.0)
    o.elevation = 0
    o.pressure = 0
    o.date = when
    return o


def row(name, lat, lon, when):
    o = observer(lat, lon, when)
    sun = ephem.Sun(o)
    moon = ephem.Moon(o)
    y, mo, d, h, mi, s = ephem.Date(ephem.Date(when) + 0.5 / 86400).tuple()
    return "%s;%d;%d;%04d-%02d-%02d %02d:%02d:%02d;%.4f;%.4f;%.4f;%.4f;%.3f;%.1f" % (
        name, lat, lon, y, mo, d, h, mi, int(s),
        math.degrees(sun.alt), math.degrees(sun.az),
        math.degrees(moon.alt), math.degrees(moon.az),
        moon.moon_phase * 100.0, moon.earth_distance * KM_PER_AU)


def whole_second(date):
    """An ephem date rounded to the second, so that the file's time is the instant."""
    return ephem.Date(round(float(date) * 86400.0) / 86400.0)


def main():
    out = ["# Made by data/tools/make_position_reference.py from PyEphem %s; UT, geometric "
           "topocentric degrees." % ephem.__version__]
    every = "--all" in sys.argv
    for name, lat, lon in PLACES:
        if every:
            d = ephem.Date("1900/1/1 00:00")
            end = ephem.Date("2100/12/31")
            while d < end:
                out.append(row(name, lat, lon, d))
                d = ephem.Date(d + 5.0 + 7.0 / 24.0)
            continue
        for when in INSTANTS:
            out.append(row(name, lat, lon, ephem.Date(when)))
        for date in MOONRISE_DATES:
            o = observer(lat, lon, date)
            o.horizon = "0"
            try:
                rise = o.next_rising(ephem.Moon(), use_center=True)
                setting = o.next_setting(ephem.Moon(), use_center=True)
            except (ephem.AlwaysUpError, ephem.NeverUpError):
                continue
            for when in (rise, ephem.Date(rise + 10 * ephem.minute), setting):
                out.append(row(name, lat, lon, whole_second(when)))
    print("\n".join(out))


main()
