"""Reads an iCalendar file with the icalendar library and prints its events
as a JSON list, for the tests to compare with the archive's rows."""
import json
import sys

import icalendar

with open(sys.argv[1], "rb") as f:
    calendar = icalendar.Calendar.from_ical(f.read())

events = []
for event in calendar.walk("VEVENT"):
    start = event.decoded("DTSTART")
    end = event.decoded("DTEND")
    stamp = event.decoded("DTSTAMP")
    events.append({
        "uid": str(event.get("UID")),
        "start": start.isoformat(),
        "end": end.isoformat(),
        "stampUtc": stamp.tzinfo is not None and stamp.utcoffset().total_seconds() == 0,
        "summary": str(event.get("SUMMARY", "")),
    })
print(json.dumps({"version": str(calendar.get("VERSION")),
                  "prodid": str(calendar.get("PRODID")),
                  "events": events}))
