#!/usr/bin/python3
"""Checks date and time words against Python's own calendar.

Each argument is "seconds:date:time" (decimal): a moment in seconds since 1970 and the two words
written for it. The date word holds the year in bits 20-31, the month in 16-19, the day in 11-15
and the ISO weekday (1 Monday .. 7 Sunday) in 8-10; the time word the hour in bits 24-31, the
minute in 16-23 and the second times 1000 in 0-15. Exits 1 at the first mismatch.
"""
import sys
from datetime import datetime, timezone

for argument in sys.argv[1:]:
    seconds, date_word, time_word = (int(part) for part in argument.split(":"))
    moment = datetime.fromtimestamp(seconds, tz=timezone.utc)
    want_date = (moment.year << 20) | (moment.month << 16) | (moment.day << 11) | (
        moment.isoweekday() << 8)
    want_time = (moment.hour << 24) | (moment.minute << 16) | (moment.second * 1000)
    if (date_word, time_word) != (want_date, want_time):
        print(f"{moment.isoformat()}: got {date_word:08X} {time_word:08X}, "
              f"want {want_date:08X} {want_time:08X}")
        sys.exit(1)
sys.exit(0)
