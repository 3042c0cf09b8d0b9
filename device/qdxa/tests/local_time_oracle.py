"""Checks conversions from Greenwich to local time made by the codec.

Arguments: a time zone name, then groups of 14 integers: the Greenwich year, month, day, hour,
minute, second and day of the week (1 to 7), then the same seven fields as converted. Exits 0
when every conversion matches zoneinfo's, with the day of the week moved by the change of date.
"""
import sys
from datetime import datetime, timezone
from zoneinfo import ZoneInfo

zone = ZoneInfo(sys.argv[1])
values = [int(v) for v in sys.argv[2:]]
failures = 0
for start in range(0, len(values), 14):
    y, mo, d, h, mi, s, wd = values[start:start + 7]
    got = values[start + 7:start + 14]
    utc = datetime(y, mo, d, h, mi, s, tzinfo=timezone.utc)
    local = utc.astimezone(zone)
    shift = (local.date() - utc.date()).days
    weekday = (wd - 1 + shift) % 7 + 1
    want = [local.year, local.month, local.day, local.hour, local.minute, local.second, weekday]
    if want != got:
        print(f"{utc.isoformat()} in {sys.argv[1]}: want {want}, got {got}")
        failures += 1
sys.exit(1 if failures else 0)
