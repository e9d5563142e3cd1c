#!/usr/bin/python3
"""Writes astro/testdata/sun_reference.txt: twilight and solar noon from an
independent high-precision ephemeris, PyEphem (Debian's python3-ephem), for
the accuracy tests of the sun's day.

    apt-get install python3-ephem
    /usr/bin/python3 data/tools/make_sun_reference.py > astro/testdata/sun_reference.txt

Times are minutes after local midnight in the zone's standard time, with two
decimals. Twilight is the sun's centre at -6, -12 and -18 degrees with no
refraction (pressure 0); the noon is the upper transit and the altitude of
the centre then, also without refraction.
"""
import datetime
import sys

import ephem

# EventStatus: 0 a set but no rise, 1 a rise but no set, 2 below all day,
# 3 above all day, 4 both.
NO_RISE, NO_SET, DOWN, UP, NORMAL = range(5)


def local_midnight(date, zone_minutes):
    return ephem.Date(datetime.datetime(date.year, date.month, date.day)
                      - datetime.timedelta(minutes=zone_minutes))


def minutes_after(start, when):
    return (when - start) * 1440.0


def crossings(observer, sun, start, end, horizon_degrees):
    """Every rise and set of the centre through the altitude in [start, end)."""
    observer.horizon = str(horizon_degrees)
    found = []
    for direction, search in (("rise", observer.next_rising), ("set", observer.next_setting)):
        t = start
        while True:
            try:
                when = search(sun, start=t, use_center=True)
            except (ephem.AlwaysUpError, ephem.NeverUpError):
                break
            if when >= end:
                break
            found.append((when, direction))
            t = ephem.Date(when + ephem.minute)
    return sorted(found)


def altitude_at(observer, sun, when):
    observer.date = when
    sun.compute(observer)
    return float(sun.alt) / ephem.degree


def day_row(date, lat_minutes, lon_minutes, zone_minutes):
    observer = ephem.Observer()
    observer.lat = str(lat_minutes / 60.0)
    observer.lon = str(lon_minutes / 60.0)
    observer.elevation = 0
    observer.pressure = 0
    sun = ephem.Sun()
    start = local_midnight(date, zone_minutes)
    end = ephem.Date(start + 1)
    fields = [date.isoformat(), str(lat_minutes), str(lon_minutes), str(zone_minutes)]
    for horizon in (-6, -12, -18):
        found = crossings(observer, sun, start, end, horizon)
        rises = [minutes_after(start, w) for w, d in found if d == "rise"]
        sets = [minutes_after(start, w) for w, d in found if d == "set"]
        if rises and sets:
            status = NORMAL
        elif rises:
            status = NO_SET
        elif sets:
            status = NO_RISE
        else:
            status = UP if altitude_at(observer, sun, end) > horizon else DOWN
        # The last crossing of each direction, as the program reports it.
        fields += [str(status), "%.2f" % rises[-1] if rises else "-",
                   "%.2f" % sets[-1] if sets else "-"]
    observer.horizon = "0"
    observer.date = start
    transit = observer.next_transit(sun, start=start)
    if transit < end:
        fields += ["%.2f" % minutes_after(start, transit),
                   "%.3f" % altitude_at(observer, sun, transit)]
    else:
        fields += ["-", "-"]
    return ";".join(fields)


def main():
    out = sys.stdout
    out.write("# Twilight and solar noon of the sun from PyEphem %s (python3-ephem), made by\n"
              "# data/tools/make_sun_reference.py. Times in minutes after local midnight,\n"
              "# zone standard time; twilight statuses as EventStatus (0 no dawn, 1 no dusk,\n"
              "# 2 never that bright, 3 never that dark, 4 both).\n"
              "# date;lat';lon';zone min;civil status;dawn;dusk;nautical status;dawn;dusk;"
              "astronomical status;dawn;dusk;noon;noon altitude deg\n" % ephem.__version__)
    # Every 10 degrees of latitude within 60 degrees of the equator, a date
    # every 15 days of 2024, and a longitude that changes with the latitude
    # with the zone of its nearest whole hour.
    dates = [datetime.date(2024, 1, 5) + datetime.timedelta(days=15 * i) for i in range(25)]
    for lat in range(-60, 61, 10):
        lon_minutes = ((lat * 37 + 11) % 360 - 180) * 60 + 17
        zone = round(lon_minutes / 900.0) * 60
        for date in dates:
            out.write(day_row(date, lat * 60, lon_minutes, zone) + "\n")
    # Places and dates whose twilight has no dawn or no dusk of some kinds.
    special = [
        (datetime.date(2024, 6, 21), 50 * 60, 328, 60),
        (datetime.date(2024, 6, 21), 60 * 60, 1500, 60),
        (datetime.date(2024, 12, 21), 78 * 60, 940, 60),
        (datetime.date(2024, 12, 1), 78 * 60, 940, 60),
        (datetime.date(2024, 3, 10), 5400, 0, 0),
        (datetime.date(2024, 4, 20), 65 * 60, 1500, 120),
        # On the prime meridian, in UT: the noon is 12:00 less the equation of
        # time, near its extremes and its zeros.
        (datetime.date(2024, 2, 11), 3088, 0, 0),
        (datetime.date(2024, 4, 15), 3088, 0, 0),
        (datetime.date(2024, 7, 26), 3088, 0, 0),
        (datetime.date(2024, 11, 3), 3088, 0, 0),
    ]
    for date, lat, lon, zone in special:
        out.write(day_row(date, lat, lon, zone) + "\n")


if __name__ == "__main__":
    main()
