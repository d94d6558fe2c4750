#!/usr/bin/python3
"""horvane-almanac --ics read back by an iCalendar parser: every event of the year's pages and
nothing else, at the minute the board shows, under UIDs made of the place, event and date, for
three places and all seven events, in lines as the format wants them; by default the sunrises
and sunsets."""

import datetime
import json
import os
import subprocess
import sys
import tempfile
import unittest

import icalendar

ALMANAC = os.environ["HORVANE_ALMANAC"]
SERIAL_ZERO = datetime.datetime(1899, 12, 30, tzinfo=datetime.timezone.utc)
ALL_EVENTS = "twilight-begins,sunrise,transit,sunset,twilight-ends,moonrise,moonset"
# Each event's name on the command line, the page it comes from, the page's field and the
# calendar's summary.
EVENTS = [
    ("twilight-begins", "--twilight", "rise", "Civil twilight begins"),
    ("sunrise", None, "rise", "Sunrise"),
    ("transit", None, "transit", "Sun transit"),
    ("sunset", None, "set", "Sunset"),
    ("twilight-ends", "--twilight", "set", "Civil twilight ends"),
    ("moonrise", "--moon", "rise", "Moonrise"),
    ("moonset", "--moon", "set", "Moonset"),
]
# The place's options, the zone the almanac runs under, and its latitude and longitude.
PLACES = [
    (["--lat", "41.85N", "--lon", "87.65W"], "America/Chicago", (41.85, -87.65)),
    (["--lat", "71.29N", "--lon", "156.79W", "--utc-offset", "-540"], "UTC", (71.29, -156.79)),
    (["--lat", "33.87S", "--lon", "151.21E"], "Australia/Sydney", (-33.87, 151.21)),
]


def almanac(arguments, zone="UTC", config=None):
    environment = dict(os.environ, TZ=zone, LC_ALL="C")
    with tempfile.TemporaryDirectory() as empty:
        environment["XDG_CONFIG_HOME"] = config or empty
        return subprocess.run([ALMANAC] + arguments, env=environment, capture_output=True,
                              check=True).stdout


def board_minute_utc(serial, offset_minutes):
    """The local Date serial taken to the second, then to the minute as the board rounds it
    (30 seconds and over go up), told in universal time."""
    seconds = round(serial * 86400)
    minute = (seconds + 30) // 60
    return SERIAL_ZERO + datetime.timedelta(minutes=minute - offset_minutes)


def expected_events(place, zone, year=2026):
    """UID -> (summary, start) of every occurrence on the year's pages."""
    pages = {}
    expected = {}
    latitude, longitude = place[2]
    for name, page_option, field, summary in EVENTS:
        if page_option not in pages:
            options = ["--year", str(year), "--json"] + ([page_option] if page_option else [])
            pages[page_option] = json.loads(almanac(options + place[0], zone))
        for day in pages[page_option]["days"]:
            if day[field] == 0:
                continue
            uid = "%s-%s-%s_%s@horvane-almanac" % (name, day["date"].replace("-", ""),
                                                   format_number(latitude),
                                                   format_number(longitude))
            expected[uid] = (summary, board_minute_utc(day[field], day["utcOffsetMinutes"]))
            text = day.get(field + "Text")
            if text:  # the page's own hhmm is the local minute of the same instant
                local = expected[uid][1] + datetime.timedelta(minutes=day["utcOffsetMinutes"])
                assert local.strftime("%H%M") == text, (uid, local, text)
    return expected


def format_number(value):
    return repr(value).removesuffix(".0") if value != int(value) else str(int(value))


class CalendarFile(unittest.TestCase):
    def events_of(self, raw, options, latitude, longitude):
        """UID -> (summary, start) of the file's events, each checked for what all share."""
        calendar = icalendar.Calendar.from_ical(raw)
        self.assertEqual(str(calendar["VERSION"]), "2.0")
        found = {}
        for event in calendar.walk("VEVENT"):
            uid = str(event["UID"])
            self.assertNotIn(uid, found)
            start = event.decoded("DTSTART")
            found[uid] = (str(event["SUMMARY"]), start)
            self.assertEqual((start.utcoffset(), event.decoded("DTSTAMP").utcoffset(),
                              event.decoded("DURATION"), str(event["TRANSP"]),
                              str(event["LOCATION"]), event["GEO"].latitude,
                              event["GEO"].longitude),
                             (datetime.timedelta(0), datetime.timedelta(0), datetime.timedelta(0),
                              "TRANSPARENT", " ".join(options[1:4:2]), latitude, longitude))
        return found

    def test_every_event_of_the_pages_at_three_places_in_crlf_lines_of_75_octets(self):
        for place in PLACES:
            options, zone, (latitude, longitude) = place
            with self.subTest(zone=zone, place=options):
                raw = almanac(["--year", "2026", "--ics", "--events", ALL_EVENTS] + options, zone)
                found = self.events_of(raw, options, latitude, longitude)
                self.assertEqual(found, expected_events(place, zone))
                self.assertGreater(len(found), 1500)  # fewer at Barrow, with its polar days
                self.assertTrue(raw.endswith(b"END:VCALENDAR\r\n"))
                lines = raw.split(b"\r\n")[:-1]
                self.assertFalse(any(b"\n" in line or b"\r" in line for line in lines))
                self.assertLessEqual(max(len(line) for line in lines), 75)
                for line in lines:
                    line.decode("utf-8")  # no character is cut in two

    def test_by_default_the_sunrises_and_sunsets(self):
        options, zone, (latitude, longitude) = PLACES[1]
        found = self.events_of(almanac(["--year", "2026", "--ics"] + options, zone), options,
                               latitude, longitude)
        expected = {uid: event for uid, event in expected_events(PLACES[1], zone).items()
                    if event[0] in ("Sunrise", "Sunset")}
        self.assertEqual(found, expected)


if __name__ == "__main__":
    unittest.main(verbosity=2)
