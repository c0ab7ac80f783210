#!/usr/bin/env python3
"""Writes a made-up battery history (Brisvane-history.csv) ending now.

  make_history.py week FILE   seven days of a laptop's use: on battery by
                              day, charged in the evening, asleep every
                              night (suspend/resume), off once
  make_history.py month FILE  30 days at a change a minute (43,200 lines)

Times are UTC, as the program writes them."""
import sys
import time

HEADER = 'time,percent,ac,charging,rate_mw,event\r\n'


def stamp(t):
    return time.strftime('%Y-%m-%dT%H:%M:%SZ', time.gmtime(t))


def line(t, percent, ac, charging, rate, event):
    return '%s,%d,%d,%d,%s,%s\r\n' % (stamp(t), percent, ac, charging, '' if rate is None else rate, event)


def month(now):
    first = now - 43200 * 60
    for i in range(43200):
        phase = i % 200  # down for 100 minutes, up for 100
        percent = 100 - phase if phase < 100 else phase - 100
        charging = 1 if phase >= 100 else 0
        yield line(first + i * 60, percent, charging, charging, 25000 if charging else -9000, 'sample')


def week(now):
    # Local midnights as this machine's clock knows them.
    day = 24 * 3600
    offset = -time.timezone if not time.localtime(now).tm_isdst else -time.altzone
    midnight = (now + offset) // day * day - offset
    start = midnight - 7 * day
    percent = 92
    t = start + 7 * 3600
    yield line(t, percent, 0, 0, -9000, 'start')
    off_day = (start + 3 * day + offset) // day
    while t < now:
        local_hour = (t + offset) % day / 3600
        if 23 <= local_hour or local_hour < 7:
            # A night asleep: a few points gone by the morning.
            wake = (t + offset) // day * day - offset + (day if local_hour >= 23 else 0) + 7 * 3600
            if wake > now:
                break
            yield line(t, percent, 0, 0, -8000, 'suspend')
            percent -= 3 + (wake // day) % 7
            t = wake
            yield line(t, percent, 0, 0, None, 'resume')
            continue
        if 18 <= local_hour < 20:
            if percent < 100:
                percent += 1
                t += 90
                yield line(t, percent, 1, 1, 30000, 'sample')
            else:
                t += 600
            continue
        if percent > 8:
            percent -= 1
            t += 720
            yield line(t, percent, 0, 0, -9000, 'sample')
        else:
            t += 600
        # Off for two hours one afternoon.
        if local_hour >= 14 and (t + offset) // day == off_day:
            off_day = None
            yield line(t, percent, 0, 0, -9000, 'exit')
            t += 2 * 3600
            yield line(t, percent, 0, 0, -9000, 'start')


def main():
    kind, path = sys.argv[1], sys.argv[2]
    now = int(time.time())
    with open(path, 'w', newline='') as f:
        f.write(HEADER)
        for text in (week if kind == 'week' else month)(now - 60):
            f.write(text)


if __name__ == '__main__':
    main()
