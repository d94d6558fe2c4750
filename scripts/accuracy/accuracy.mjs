// How close horvane-almanac's event times are to a high-precision ephemeris
// (astronomy-engine, pinned in package.json), on random places and instants.
//
//   cd scripts/accuracy && npm ci && node accuracy.mjs ../../build/bin/horvane-almanac [cases] [seed]
//
// For each case the almanac prints the next twilight, sun and moon events in the 24 hours
// after the instant (UTC clock, --utc-offset 0); the same events are searched for with the
// ephemeris in the same window. The almanac is also compared with clock-algorithm.mjs, the
// clock's method written again, which shows whether the program adds any error of its own.
// Prints a Markdown table for the README.

import { execFile } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { promisify } from 'node:util';
import * as Astronomy from 'astronomy-engine';
import { findRiseTransitSet } from './clock-algorithm.mjs';

const run = promisify(execFile);
const referenceVersion = JSON.parse(
    readFileSync(new URL('./node_modules/astronomy-engine/package.json', import.meta.url))).version;
const [almanac, casesText = '3000', seedText = '20261207'] = process.argv.slice(2);
if (!almanac) {
    console.error('usage: node accuracy.mjs PATH/TO/horvane-almanac [cases] [seed]');
    process.exit(2);
}

const MS_PER_DAY = 86400000;
const UNIX_EPOCH_SERIAL = 25569; // Date serial of 1970-01-01 00:00
const SLACK_MS = 10 * 60000; // the ephemeris window reaches this far past the clock's
const MATCH_MS = 60 * 60000; // one event of a kind per window: pairs closer than this
const POLAR_SHARE = 0.2;

// The clock's thresholds are those of its board; the ephemeris side of each event.
const EVENTS = [
    { key: 'twilightBegins', name: 'Twilight begins', search: 'twilight', part: 'rise',
      reference: (o, t, days) => Astronomy.SearchAltitude(Astronomy.Body.Sun, o, +1, t, days, -6) },
    { key: 'sunRise', name: 'Sunrise', search: 'sun', part: 'rise',
      reference: (o, t, days) => Astronomy.SearchRiseSet(Astronomy.Body.Sun, o, +1, t, days) },
    { key: 'sunTransit', name: 'Sun transit', search: 'sun', part: 'transit', windowStartHours: -0.5,
      windowEndHours: 24.5,
      reference: (o, t, days) => {
          const event = Astronomy.SearchHourAngle(Astronomy.Body.Sun, o, 0, t, +1);
          return event.time.ut - t.ut <= days ? event.time : null;
      } },
    { key: 'sunSet', name: 'Sunset', search: 'sun', part: 'set',
      reference: (o, t, days) => Astronomy.SearchRiseSet(Astronomy.Body.Sun, o, -1, t, days) },
    { key: 'twilightEnds', name: 'Twilight ends', search: 'twilight', part: 'set',
      reference: (o, t, days) => Astronomy.SearchAltitude(Astronomy.Body.Sun, o, -1, t, days, -6) },
    { key: 'moonRise', name: 'Moonrise', search: 'moon', part: 'rise',
      reference: (o, t, days) => Astronomy.SearchRiseSet(Astronomy.Body.Moon, o, +1, t, days) },
    { key: 'moonSet', name: 'Moonset', search: 'moon', part: 'set',
      reference: (o, t, days) => Astronomy.SearchRiseSet(Astronomy.Body.Moon, o, -1, t, days) },
];
const THRESHOLDS = { sun: [-0.8333, false], twilight: [-6.0, false], moon: [8 / 60, true] };

// mulberry32: the same cases for the same seed.
function random(seed) {
    let a = seed >>> 0;
    return () => {
        a = (a + 0x6d2b79f5) >>> 0;
        let t = a;
        t = Math.imul(t ^ (t >>> 15), t | 1);
        t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
        return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
    };
}

// Places spread evenly over the globe, a fifth of them beyond 65 degrees; instants from
// 1950 to 2050 in whole seconds.
function makeCases(count, seed) {
    const next = random(seed);
    const cases = [];
    for (let i = 0; i < count; i++) {
        const polar = next() < POLAR_SHARE;
        const latitude = polar
            ? (next() < 0.5 ? -1 : 1) * (65 + 24.9 * next())
            : (Math.asin(2 * next() - 1) * 180) / Math.PI;
        const longitude = 360 * next() - 180;
        const startMs = Date.UTC(1950, 0, 1) + Math.floor(next() * 100 * 365.25 * 86400) * 1000;
        cases.push({ latitude: +latitude.toFixed(4), longitude: +longitude.toFixed(4), startMs });
    }
    return cases;
}

const serialOfMs = (ms) => ms / MS_PER_DAY + UNIX_EPOCH_SERIAL;
const msOfSerial = (serial) => (serial - UNIX_EPOCH_SERIAL) * MS_PER_DAY;
const atText = (ms) => new Date(ms).toISOString().slice(0, 19).replace('T', ' ');

async function almanacEvents(c) {
    const { stdout } = await run(almanac, ['--lat', String(c.latitude), '--lon', String(c.longitude),
        '--at', atText(c.startMs), '--utc-offset', '0', '--json'], { env: { ...process.env, TZ: 'UTC' } });
    return JSON.parse(stdout).events;
}

// Every ephemeris event of the kind in the window, as Unix milliseconds.
function referenceEvents(event, c) {
    const observer = new Astronomy.Observer(c.latitude, c.longitude, 0);
    const from = c.startMs + (event.windowStartHours ?? 0) * 3600000 - SLACK_MS;
    const to = c.startMs + (event.windowEndHours ?? 24) * 3600000 + SLACK_MS;
    const found = [];
    for (let t = from; t < to;) {
        const time = event.reference(observer, Astronomy.MakeTime(new Date(t)), (to - t) / MS_PER_DAY);
        if (!time || time.date.getTime() >= to) break;
        found.push(time.date.getTime());
        t = time.date.getTime() + 60000;
    }
    return found;
}

function percentile(sorted, p) {
    if (sorted.length === 0) return NaN;
    return sorted[Math.min(sorted.length - 1, Math.ceil((p / 100) * sorted.length) - 1)];
}

async function compareCase(c, tally) {
    const events = await almanacEvents(c);
    const startSerial = serialOfMs(c.startMs);
    const method = {};
    for (const [search, [h0, isMoon]] of Object.entries(THRESHOLDS))
        method[search] = findRiseTransitSet(startSerial, 0, c.latitude, c.longitude, h0, isMoon);
    for (const event of EVENTS) {
        const t = tally[event.key];
        const clockSerial = events[event.key].next;
        const methodSerial = method[event.search][event.part];
        if ((clockSerial === 0) !== (methodSerial === 0)) t.methodDisagrees++;
        else if (clockSerial !== 0)
            t.methodLargest = Math.max(t.methodLargest, Math.abs(clockSerial - methodSerial) * 86400);
        const reference = referenceEvents(event, c);
        const inWindow = reference.filter((ms) => ms >= c.startMs + (event.windowStartHours ?? 0) * 3600000 &&
            ms <= c.startMs + (event.windowEndHours ?? 24) * 3600000);
        t.cases++;
        if (clockSerial === 0) {
            if (inWindow.length > 0) t.referenceOnly++;
            continue;
        }
        const clockMs = msOfSerial(clockSerial);
        const nearest = reference.reduce((best, ms) =>
            best === null || Math.abs(ms - clockMs) < Math.abs(best - clockMs) ? ms : best, null);
        if (nearest === null || Math.abs(nearest - clockMs) > MATCH_MS) t.clockOnly++;
        else t.differences.push(Math.abs(clockMs - nearest) / 1000);
    }
}

async function main() {
    const cases = makeCases(Number(casesText), Number(seedText));
    const tally = Object.fromEntries(EVENTS.map((e) => [e.key, {
        cases: 0, differences: [], clockOnly: 0, referenceOnly: 0, methodLargest: 0, methodDisagrees: 0 }]));
    const workers = 4; // each case waits mostly on the almanac's process
    let nextCase = 0;
    await Promise.all(Array.from({ length: workers }, async () => {
        while (nextCase < cases.length) await compareCase(cases[nextCase++], tally);
    }));

    const polar = cases.filter((c) => Math.abs(c.latitude) >= 65).length;
    console.log(`${cases.length} places and instants (seed ${seedText}, ${polar} beyond 65 degrees), ` +
        `astronomy-engine ${referenceVersion}\n`);
    console.log('| Event | Compared | Median (s) | 95th percentile (s) | Largest (s) | Found by the clock only | Found by the ephemeris only |');
    console.log('|---|---:|---:|---:|---:|---:|---:|');
    for (const event of EVENTS) {
        const t = tally[event.key];
        const sorted = t.differences.sort((a, b) => a - b);
        const share = (n) => `${n} (${((100 * n) / t.cases).toFixed(1)} %)`;
        console.log(`| ${event.name} | ${sorted.length} | ${percentile(sorted, 50).toFixed(0)} | ` +
            `${percentile(sorted, 95).toFixed(0)} | ${sorted[sorted.length - 1].toFixed(0)} | ` +
            `${share(t.clockOnly)} | ${share(t.referenceOnly)} |`);
    }
    const largest = Math.max(...EVENTS.map((e) => tally[e.key].methodLargest));
    const disagreements = EVENTS.reduce((n, e) => n + tally[e.key].methodDisagrees, 0);
    console.log(`\nThe program against the method written again (clock-algorithm.mjs): largest ` +
        `difference ${largest.toExponential(1)} s, ${disagreements} events found by one and not the other.`);
}

await main();
