#!/usr/bin/python3
"""Writes astro/testdata/horizon_reference.txt: sunrise and sunset seen from a
height above the land around, and the sun's visible rise and set behind the
skyline of astro/testdata/jagged_horizon.txt, from an independent
high-precision ephemeris, PyEphem (Debian's python3-ephem).

    apt-get install python3-ephem
    /usr/bin/python3 data/tools/make_horizon_reference.py > astro/testdata/horizon_reference.txt

Times are minutes after local midnight in the zone's standard time, with two
decimals.

Height rows: the sun's centre crossing -50' less the dip of the horizon, from
the reference's own dip: the angle between the horizontal and the tangent to
an Earth whose radius is enlarged to bend the light as the lower air does
(refraction coefficient 0.16), arccos(R' / (R' + h)). The rows list the last
rise and the last set of the day at 0 m and at the height.

Profile rows: the sun is seen while the apparent altitude of its upper limb
(PyEphem's own refraction for 1010 hPa and 10 °C, and its own semi-diameter
of the date) stands above the skyline at its azimuth, the skyline running
straight between the points and past north. The crossings are found on a
20-second grid and refined by bisection; the rows list every appearance and
every disappearance of the day.
"""
import datetime
import math
import os
import sys

import ephem

from make_sun_reference import local_midnight

HERE = os.path.dirname(os.path.abspath(__file__))
PROFILE = os.path.join(HERE, "..", "..", "astro", "testdata", "jagged_horizon.txt")
EARTH_RADIUS = 6371000.0
REFRACTION_COEFFICIENT = 0.16


def read_profile(path):
    points = []
    with open(path) as f:
        for line in f:
            line = line.strip()
            if not line or line.startswith("#"):
                continue
            az, alt = line.split()
            points.append((float(az), float(alt)))
    return sorted(points)


def skyline(points, az):
    az %= 360.0
    for (a0, h0), (a1, h1) in zip(points, points[1:]):
        if a0 <= az <= a1:
            return h0 + (az - a0) / (a1 - a0) * (h1 - h0) if a1 > a0 else h1
    a0, h0 = points[-1]
    a1, h1 = points[0]
    a1 += 360.0
    if az < a0:
        az += 360.0
    return h0 + (az - a0) / (a1 - a0) * (h1 - h0)


def dip_degrees(height):
    radius = EARTH_RADIUS / (1.0 - REFRACTION_COEFFICIENT)
    return math.degrees(math.acos(radius / (radius + height)))


def centre_crossings(observer, sun, start, end, horizon_degrees):
    observer.horizon = str(horizon_degrees)
    found = {"rise": [], "set": []}
    for direction, search in (("rise", observer.next_rising), ("set", observer.next_setting)):
        t = start
        while True:
            try:
                when = search(sun, start=t, use_center=True)
            except (ephem.AlwaysUpError, ephem.NeverUpError):
                break
            if when >= end:
                break
            found[direction].append((when - start) * 1440.0)
            t = ephem.Date(when + ephem.minute)
    return found


def observer_at(lat_minutes, lon_minutes):
    observer = ephem.Observer()
    observer.lat = str(lat_minutes / 60.0)
    observer.lon = str(lon_minutes / 60.0)
    observer.elevation = 0
    return observer


def height_row(date, lat, lon, zone, height):
    observer = observer_at(lat, lon)
    observer.pressure = 0
    sun = ephem.Sun()
    start = local_midnight(date, zone)
    end = ephem.Date(start + 1)
    flat = centre_crossings(observer, sun, start, end, -50.0 / 60.0)
    high = centre_crossings(observer, sun, start, end, -50.0 / 60.0 - dip_degrees(height))

    def last(found, direction):
        return "%.2f" % found[direction][-1] if found[direction] else "-"

    return ";".join(["height", date.isoformat(), str(lat), str(lon), str(zone), "%g" % height,
                     last(flat, "rise"), last(flat, "set"), last(high, "rise"),
                     last(high, "set")])


def profile_row(date, lat, lon, zone, points):
    observer = observer_at(lat, lon)
    observer.pressure = 1010
    observer.temp = 10
    sun = ephem.Sun()
    start = local_midnight(date, zone)

    def clearance(minute):
        observer.date = ephem.Date(start + minute / 1440.0)
        sun.compute(observer)
        upper = math.degrees(float(sun.alt)) + math.degrees(float(sun.radius))
        return upper - skyline(points, math.degrees(float(sun.az)))

    step = 1.0 / 3.0
    rises, sets = [], []
    m0 = 0.0
    c0 = clearance(m0)
    for k in range(1, int(1440 / step) + 1):
        m1 = k * step
        c1 = clearance(m1)
        if (c0 > 0) != (c1 > 0):
            lo, hi, clo = m0, m1, c0
            for _ in range(30):
                mid = (lo + hi) / 2
                cm = clearance(mid)
                if (cm > 0) == (clo > 0):
                    lo, clo = mid, cm
                else:
                    hi = mid
            (rises if c1 > 0 else sets).append((lo + hi) / 2)
        m0, c0 = m1, c1
    return ";".join(["profile", date.isoformat(), str(lat), str(lon), str(zone),
                     " ".join("%.2f" % m for m in rises) or "-",
                     " ".join("%.2f" % m for m in sets) or "-"])


def main():
    out = sys.stdout
    out.write("# Sunrise and sunset from a height, and the visible rise and set behind\n"
              "# astro/testdata/jagged_horizon.txt, from PyEphem %s (python3-ephem), made by\n"
              "# data/tools/make_horizon_reference.py. Minutes after local midnight, zone\n"
              "# standard time.\n"
              "# height;date;lat';lon';zone min;metres;rise 0 m;set 0 m;rise;set\n"
              "# profile;date;lat';lon';zone min;appearances;disappearances\n"
              % ephem.__version__)
    dates = [datetime.date(2024, 1, 10) + datetime.timedelta(days=61 * i) for i in range(6)]
    places = [(-35 * 60, 9300 + 17, 600), (0, -4700, -180), (20 * 60, 4700, 180),
              (50 * 60, 840, 60), (60 * 60, 1500, 60)]
    for lat, lon, zone in places:
        for date in dates:
            for height in (100.0, 2000.0):
                out.write(height_row(date, lat, lon, zone, height) + "\n")
    points = read_profile(PROFILE)
    for lat, lon, zone in places:
        for date in dates + [datetime.date(2024, 3, 20), datetime.date(2024, 9, 22)]:
            out.write(profile_row(date, lat, lon, zone, points) + "\n")


if __name__ == "__main__":
    main()
