// Builds the ports list from the sea-ports package.
//
// The package warns that some coordinates are wrong. A wrong position would
// put a departure in the middle of an ocean or a continent, so every port is
// checked against the coastline and left out when it lies more than
// MAX_COAST_DISTANCE_NM from it.

export const MAX_COAST_DISTANCE_NM = 30;

// Two entries of the same name closer than this are one port listed twice
// (the package often gives one port under two UN/LOCODEs).
const SAME_PORT_NM = 5;

const NM_PER_DEGREE = 60;
const toRad = (deg) => (deg * Math.PI) / 180;

// Distances are taken on a local flat map around the port (x east, y north,
// in nautical miles): within 30 miles the error of that is far below a mile.
function localXY(lon, lat, lon0, lat0) {
    let dLon = lon - lon0;
    if (dLon > 180) dLon -= 360;
    if (dLon < -180) dLon += 360;
    return [dLon * NM_PER_DEGREE * Math.cos(toRad(lat0)), (lat - lat0) * NM_PER_DEGREE];
}

function pointSegmentDistance(px, py, ax, ay, bx, by) {
    const dx = bx - ax;
    const dy = by - ay;
    const len2 = dx * dx + dy * dy;
    let t = len2 > 0 ? ((px - ax) * dx + (py - ay) * dy) / len2 : 0;
    t = Math.max(0, Math.min(1, t));
    return Math.hypot(ax + t * dx - px, ay + t * dy - py);
}

// A grid of one-degree cells, each listing the coastline segments whose
// bounding box touches it, so that a port is compared only with the
// coastline around it.
export class CoastIndex {
    constructor(pieces) {
        this.cells = new Map();
        for (const piece of pieces) {
            for (let i = 0; i + 1 < piece.length; ++i) {
                const a = piece[i];
                const b = piece[i + 1];
                const lat0 = Math.floor(Math.min(a[1], b[1]));
                const lat1 = Math.floor(Math.max(a[1], b[1]));
                const lon0 = Math.floor(Math.min(a[0], b[0]));
                const lon1 = Math.floor(Math.max(a[0], b[0]));
                for (let la = lat0; la <= lat1; ++la) {
                    for (let lo = lon0; lo <= lon1; ++lo) {
                        const key = la * 1000 + ((lo + 360) % 360);
                        let list = this.cells.get(key);
                        if (!list) this.cells.set(key, (list = []));
                        list.push(a, b);
                    }
                }
            }
        }
    }

    // Distance in nautical miles from (lon, lat) to the nearest coastline,
    // exact up to `limit`; beyond it, Infinity.
    distance(lon, lat, limit) {
        const dLat = limit / NM_PER_DEGREE;
        const dLon = Math.min(180, dLat / Math.max(Math.cos(toRad(lat)), 0.01));
        let best = Infinity;
        for (let la = Math.floor(lat - dLat); la <= Math.floor(lat + dLat); ++la) {
            for (let lo = Math.floor(lon - dLon); lo <= Math.floor(lon + dLon); ++lo) {
                const list = this.cells.get(la * 1000 + ((lo + 720) % 360));
                if (!list) continue;
                for (let k = 0; k < list.length; k += 2) {
                    const [ax, ay] = localXY(list[k][0], list[k][1], lon, lat);
                    const [bx, by] = localXY(list[k + 1][0], list[k + 1][1], lon, lat);
                    best = Math.min(best, pointSegmentDistance(0, 0, ax, ay, bx, by));
                }
            }
        }
        return best <= limit ? best : Infinity;
    }
}

// Names are kept to plain ASCII: the ports file carries no statement of its
// encoding, and ASCII reads the same as UTF-8 and as any Windows code page.
// Accents are dropped ("Paraíba" becomes "Paraiba"); a double quotation mark,
// which would end a quoted name, becomes an apostrophe.
export function plainName(text) {
    return text
        .normalize('NFKD')
        .replace(/[\u0300-\u036f]/g, '')
        .replace(/["\u201c\u201d]/g, "'")
        .replace(/[\u2018\u2019]/g, "'")
        .replace(/[^\x20-\x7e]/g, '')
        .replace(/\s+/g, ' ')
        .trim();
}

// A coordinate with as few decimals as it needs, at most four (about 10 m).
export function coordinateText(value) {
    let text = value.toFixed(4).replace(/\.?0+$/, '');
    if (text === '-0') text = '0';
    return text;
}

// One line of the ports file. A name with a comma is enclosed in double
// quotation marks, the only way the reader lets a field hold a comma.
export function portLine(port) {
    const name = port.name.includes(',') ? `"${port.name}"` : port.name;
    return `${name},${coordinateText(port.lat)},${coordinateText(port.lon)}`;
}

// The reader sorts the lines whole and without regard to case; the file is
// written in that order (ties broken by the exact text, so that the order is
// always the same).
export function compareLines(a, b) {
    const la = a.toLowerCase();
    const lb = b.toLowerCase();
    if (la !== lb) return la < lb ? -1 : 1;
    return a < b ? -1 : a > b ? 1 : 0;
}

const seaMiles = (a, b) => Math.hypot(...localXY(b.lon, b.lat, a.lon, a.lat));

// Entries in, { lines, kept, dropped } out. `entries` is the package's object
// keyed by UN/LOCODE; `coast` a CoastIndex.
export function buildPorts(entries, coast) {
    const dropped = { noPosition: [], farFromCoast: [], sameAsAnother: [] };
    const candidates = [];
    for (const code of Object.keys(entries).sort()) {
        const e = entries[code];
        const c = e.coordinates;
        const name = plainName(e.name || '');
        if (!Array.isArray(c) || c.length !== 2 || !c.every(Number.isFinite) ||
            Math.abs(c[1]) > 90 || Math.abs(c[0]) > 180 || name === '') {
            dropped.noPosition.push(`${code} ${name}`);
            continue;
        }
        const port = {
            code,
            name,
            lat: c[1],
            lon: c[0],
            country: plainName(e.country || ''),
            province: plainName((e.province || '').replace(/\[.*?\]/g, '')),
        };
        const d = coast.distance(port.lon, port.lat, MAX_COAST_DISTANCE_NM);
        if (d === Infinity) {
            dropped.farFromCoast.push(
                `${code} ${name} (${coordinateText(port.lat)}, ${coordinateText(port.lon)})`);
            continue;
        }
        candidates.push(port);
    }

    // One port listed twice: keep the first (by UN/LOCODE).
    const kept = [];
    for (const port of candidates) {
        const twin = kept.find((k) => k.name === port.name && seaMiles(k, port) < SAME_PORT_NM);
        if (twin) dropped.sameAsAnother.push(`${port.code} ${port.name} (as ${twin.code})`);
        else kept.push(port);
    }

    // Different ports of the same name would be indistinguishable in the
    // lists: the group gets the country in brackets, or, where that does not
    // tell them apart, the province, or else the UN/LOCODE.
    const groups = new Map();
    for (const p of kept) {
        if (!groups.has(p.name)) groups.set(p.name, []);
        groups.get(p.name).push(p);
    }
    const qualifiers = [(p) => p.country, (p) => p.province, (p) => p.code];
    for (const [name, group] of groups) {
        if (group.length < 2) continue;
        const qualify = qualifiers.find((q) => {
            const texts = group.map(q);
            return texts.every((t) => t !== '') && new Set(texts).size === texts.length;
        });
        for (const p of group) p.name = `${name} (${qualify(p)})`;
    }

    const lines = kept.map(portLine).sort(compareLines);
    return { lines, kept: kept.length, dropped };
}
