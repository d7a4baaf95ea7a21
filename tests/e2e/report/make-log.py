#!/usr/bin/env python3
"""Writes a history log as Quorvane writes it, for the report's end-to-end tests:
three days at 30-second spacing in the American form, Method #1 and then Method #2,
weaker evenings with disconnections, a night when Quorvane was not running, and two
lines that cannot be read.  make-log.py FILE"""
import datetime
import random
import sys

random.seed(16)
lines = []
t = datetime.datetime(2026, 12, 4, 9, 0, 0)
end = datetime.datetime(2026, 12, 7, 9, 0, 0)
drop_left = 0
while t < end:
    if t == datetime.datetime(2026, 12, 5, 1, 0, 0):
        t += datetime.timedelta(hours=6)  # switched off for the night
    evening = 18 <= t.hour <= 22
    if drop_left == 0 and random.random() < (0.01 if evening else 0.001):
        drop_left = random.randint(1, 12)
    level = t >= datetime.datetime(2026, 12, 6, 12, 0, 0)
    if drop_left > 0:
        drop_left -= 1
        value = "0 (no connection)" if level else "0% (no connection)"
    else:
        percent = max(1, min(100, int(random.gauss(42 if evening else 74, 9))))
        value = str(min(5, percent // 18)) if level else (f" {percent}%" if percent < 10 else f"{percent}%")
    hour = t.hour % 12 or 12
    stamp = f"{t.month}/{t.day}/{t.year} {hour}:{t.minute:02d}:{t.second:02d} {'PM' if t.hour >= 12 else 'AM'}"
    if t.hour == 0 and t.minute == 0 and t.second == 0:
        stamp = f"{t.month}/{t.day}/{t.year}"  # midnight: the date alone
    lines.append(f"{stamp} WiFi Signal Strength is {value}")
    t += datetime.timedelta(seconds=30)
lines.insert(1000, "this line is not a history line")
lines.insert(5000, "12/5/2026 10:61:00 AM WiFi Signal Strength is 70%")
with open(sys.argv[1], "w", newline="") as log:
    log.write("".join(line + "\r\n" for line in lines))
