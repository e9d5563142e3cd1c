#!/usr/bin/python3
"""Writes astro/testdata/elevation_reference.txt: the sun's centre crossing
chosen altitudes, from an independent high-precision ephemeris, PyEphem
(Debian's python3-ephem), for the accuracy tests of the sun's events at any
elevation (the blue and golden hours' bounds and others).

    apt-get install python3-ephem
    /usr/bin/python3 data/tools/make_elevation_reference.py > astro/testdata/elevation_reference.txt

Times are minutes after local midnight in the zone's standard time, with two
decimals; the altitudes are geometric (pressure 0, no refraction). Each
direction's last crossing of the day is listed, as the program reports it.
"""
import datetime
import sys

import ephem

# The same searches and statuses as the twilight reference's.
from make_sun_reference import (DOWN, NO_RISE, NO_SET, NORMAL, UP, altitude_at, crossings,
                                local_midnight)

ALTITUDES = (-16.0, -6.0, -4.0, 6.0, 10.0, 26.565)


def rows(date, lat_minutes, lon_minutes, zone_minutes):
    observer = ephem.Observer()
    observer.lat = str(lat_minutes / 60.0)
    observer.lon = str(lon_minutes / 60.0)
    observer.elevation = 0
    observer.pressure = 0
    sun = ephem.Sun()
    start = local_midnight(date, zone_minutes)
    end = ephem.Date(start + 1)
    for altitude in ALTITUDES:
        found = crossings(observer, sun, start, end, altitude)
        rises = [(w - start) * 1440.0 for w, d in found if d == "rise"]
        sets = [(w - start) * 1440.0 for w, d in found if d == "set"]
        if rises and sets:
            status = NORMAL
        elif rises:
            status = NO_SET
        elif sets:
            status = NO_RISE
        else:
            status = UP if altitude_at(observer, sun, end) > altitude else DOWN
        yield ";".join([date.isoformat(), str(lat_minutes), str(lon_minutes), str(zone_minutes),
                        "%g" % altitude, str(status),
                        "%.2f" % rises[-1] if rises else "-",
                        "%.2f" % sets[-1] if sets else "-"])


def main():
    out = sys.stdout
    out.write("# The sun's centre crossing chosen altitudes, from PyEphem %s (python3-ephem),\n"
              "# made by data/tools/make_elevation_reference.py. Times in minutes after local\n"
              "# midnight, zone standard time; statuses as EventStatus (0 no rising crossing,\n"
              "# 1 no setting one, 2 below all day, 3 above all day, 4 both).\n"
              "# date;lat';lon';zone min;altitude deg;status;rising;setting\n" % ephem.__version__)
    dates = [datetime.date(2024, 1, 10) + datetime.timedelta(days=30 * i) for i in range(13)]
    for lat in (-60, -35, 0, 20, 50, 60):
        lon_minutes = ((lat * 37 + 11) % 360 - 180) * 60 + 17
        zone = round(lon_minutes / 900.0) * 60
        for date in dates:
            for row in rows(date, lat * 60, lon_minutes, zone):
                out.write(row + "\n")
    # Far north: the golden hour without an end in June, and the polar night.
    for date, lat, lon, zone in [(datetime.date(2024, 6, 21), 69 * 60, 1200, 60),
                                 (datetime.date(2024, 5, 1), 69 * 60, 1200, 60),
                                 (datetime.date(2024, 12, 21), 78 * 60, 940, 60),
                                 (datetime.date(2024, 3, 1), 78 * 60, 940, 60)]:
        for row in rows(date, lat, lon, zone):
            out.write(row + "\n")


if __name__ == "__main__":
    main()
