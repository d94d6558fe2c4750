// The clock's own method, written again here from its description in plain JavaScript
// doubles: low-precision sun and moon series, hourly samples of the altitude, a parabola
// through each three. accuracy.mjs compares horvane-almanac with it to show that the
// program computes exactly this, and so that every difference from the ephemeris belongs
// to the method and not to the program.

const DEG = 0.0174532925199433;
const P2 = 6.283185307;
const COSEPS = 0.91748;
const SINEPS = 0.39778;
const ARC = 206264.8062;
const DAY_COUNT_ZERO_SERIAL = 36526.5;

const sinDeg = (x) => Math.sin(x * DEG);
const cosDeg = (x) => Math.cos(x * DEG);
const frac = (x) => x - Math.floor(x);

function localSiderealHours(d, westLongitude) {
    const n = Math.trunc(d + 0.5);
    const ut = (d + 0.5 - n) * 24;
    const t0 = (n - 0.5) / 36525;
    const gmst =
        6.697374558 + 1.0027379093 * ut + ((8640184.812866 + (0.093104 - 6.2e-6 * t0) * t0) * t0) / 3600;
    return 24 * frac((gmst - westLongitude / 15) / 24);
}

function equatorial(x, y, z) {
    const rho = Math.sqrt(1 - z * z);
    const dec = (360 / P2) * Math.atan(z / rho);
    let ra = (48 / P2) * Math.atan(y / (x + rho));
    if (ra < 0) ra += 24;
    return { ra, dec };
}

export function sunPosition(T) {
    const M = P2 * frac(0.993133 + 99.997361 * T);
    const DL = 6893 * Math.sin(M) + 72 * Math.sin(2 * M);
    const L = P2 * frac(0.7859453 + M / P2 + (6191.2 * T + DL) / 1296000);
    return equatorial(Math.cos(L), COSEPS * Math.sin(L), SINEPS * Math.sin(L));
}

export function moonPosition(T) {
    const L0 = frac(0.606433 + 1336.855225 * T);
    const L = P2 * frac(0.374897 + 1325.55241 * T);
    const LS = P2 * frac(0.993133 + 99.997361 * T);
    const D = P2 * frac(0.827361 + 1236.853086 * T);
    const F = P2 * frac(0.259086 + 1342.227825 * T);
    const sin = Math.sin;
    const DL = 22640 * sin(L) - 4586 * sin(L - 2 * D) + 2370 * sin(2 * D) + 769 * sin(2 * L) -
        668 * sin(LS) - 412 * sin(2 * F) - 212 * sin(2 * L - 2 * D) - 206 * sin(L + LS - 2 * D) +
        192 * sin(L + 2 * D) - 165 * sin(LS - 2 * D) - 125 * sin(D) - 110 * sin(L + LS) +
        148 * sin(L - LS) - 55 * sin(2 * F - 2 * D);
    const S = F + (DL + 412 * sin(2 * F) + 541 * sin(LS)) / ARC;
    const H = F - 2 * D;
    const N = -526 * sin(H) + 44 * sin(L + H) - 31 * sin(H - L) - 23 * sin(LS + H) +
        11 * sin(H - LS) - 25 * sin(F - 2 * L) + 21 * sin(F - L);
    const lambda = P2 * frac(L0 + DL / 1296000);
    const beta = (18520 * sin(S) + N) / ARC;
    const X = Math.cos(beta) * Math.cos(lambda);
    const V = Math.cos(beta) * Math.sin(lambda);
    const W = Math.sin(beta);
    return equatorial(X, COSEPS * V - SINEPS * W, SINEPS * V + COSEPS * W);
}

function sineAltitude(d0, hour, westLongitude, cosLat, sinLat, isMoon) {
    const d = d0 + hour / 24;
    const T = d / 36525;
    const { ra, dec } = isMoon ? moonPosition(T) : sunPosition(T);
    const tau = 15 * (localSiderealHours(d, westLongitude) - ra);
    return sinLat * sinDeg(dec) + cosLat * cosDeg(dec) * cosDeg(tau);
}

function fitParabola(yMinus, y0, yPlus) {
    const a = 0.5 * (yPlus + yMinus) - y0;
    const b = 0.5 * (yPlus - yMinus);
    const c = y0;
    const fit = { xe: -b / (2 * a), ye: 0, root1: 0, root2: 0, count: 0 };
    fit.ye = (a * fit.xe + b) * fit.xe + c;
    const dis = b * b - 4 * a * c;
    if (!(dis > 0)) return fit;
    const dx = (0.5 * Math.sqrt(dis)) / Math.abs(a);
    fit.root1 = fit.xe - dx;
    fit.root2 = fit.xe + dx;
    if (Math.abs(Math.fround(fit.root1)) <= 1) fit.count++;
    if (Math.abs(Math.fround(fit.root2)) <= 1) fit.count++;
    if (Math.fround(fit.root1) < -1) fit.root1 = fit.root2;
    return fit;
}

// Rise, transit and set (local Date serials, 0 when not found) in the 24 hours after the
// local Date serial start, a whole second.
export function findRiseTransitSet(start, utcOffsetMinutes, latitude, eastLongitude, h0, isMoon) {
    const found = { rise: 0, transit: 0, set: 0 };
    const flags = { rise: false, transit: false, set: false };
    const westLongitude = -eastLongitude;
    const L = Math.round((start - DAY_COUNT_ZERO_SERIAL) * 86400) / 86400;
    const d0 = L - utcOffsetMinutes / 1440;
    const sinLat = sinDeg(latitude);
    const cosLat = cosDeg(latitude);
    const s0 = sinDeg(h0);
    const sample = (hour) => sineAltitude(d0, hour, westLongitude, cosLat, sinLat, isMoon) - s0;
    const toDate = (hours) => L + DAY_COUNT_ZERO_SERIAL + hours / 24;
    let yMinus = sample(-1);
    let y0 = sample(0);
    for (let i = 0; i <= 24 && !(flags.rise && flags.set && flags.transit); i++) {
        const yPlus = sample(i + 1);
        const isMax = y0 > yMinus && y0 > yPlus;
        const odd = i % 2 === 1;
        if (odd || isMax) {
            const fit = fitParabola(yMinus, y0, yPlus);
            if (isMax) {
                found.transit = toDate(i + fit.xe);
                flags.transit = true;
            }
            if (odd && fit.count === 1) {
                if (yMinus < 0) {
                    found.rise = toDate(i + fit.root1);
                    flags.rise = true;
                } else {
                    found.set = toDate(i + fit.root1);
                    flags.set = true;
                }
            } else if (odd && fit.count === 2) {
                found.rise = toDate(i + (fit.ye < 0 ? fit.root2 : fit.root1));
                found.set = toDate(i + (fit.ye < 0 ? fit.root1 : fit.root2));
                flags.rise = flags.set = true;
            }
        }
        yMinus = y0;
        y0 = yPlus;
    }
    return found;
}
