// Turns land rings into the coastline polylines of a world map file.
//
// Two kinds of ring edge are not coastline and must not be drawn:
// - the edges Natural Earth adds where it cuts a polygon at the 180th meridian
//   (Chukotka, Fiji, Antarctica): they run along that meridian, and on the
//   antimeridian-centred chart they would be drawn down the middle;
// - edges that jump from +180 to -180: the two ends are the same place.
// Both have both ends on the 180th meridian, which is how they are found.
//
// Then each polyline is put into chart units for one central meridian. Where
// it crosses the chart's edge meridian (the 180th for the Greenwich-centred
// chart, Greenwich for the antimeridian-centred one) it is ended on that edge
// and begun again on the opposite edge, so no line crosses the whole chart.
// Where it goes beyond the chart's latitude limit it is cut at the limit.

import { LATITUDE_LIMIT, chartMeridionalParts, nearest, relativeLongitude } from './chartmath.mjs';

const onCutMeridian = (lon) => Math.abs(Math.abs(lon) - 180) < 1e-9;
const isCutEdge = (a, b) => onCutMeridian(a[0]) && onCutMeridian(b[0]);

// Rings in, open polylines of [lon, lat] out, without the cut edges. A ring
// with no cut edge stays whole (closed); otherwise it is walked from just
// after a cut edge, so that each of its pieces comes out in one polyline.
export function coastPieces(rings) {
    const pieces = [];
    for (const ring of rings) {
        const n = ring.length - 1;  // segments; ring[n] equals ring[0]
        if (n < 1) continue;
        let first = -1;
        for (let i = 0; i < n; ++i) {
            if (isCutEdge(ring[i], ring[i + 1])) {
                first = i;
                break;
            }
        }
        if (first < 0) {
            pieces.push(ring);
            continue;
        }
        let piece = [];
        for (let k = 1; k <= n; ++k) {
            const i = (first + k) % n;
            const a = ring[i];
            const b = ring[i + 1];
            if (isCutEdge(a, b)) {
                if (piece.length >= 2) pieces.push(piece);
                piece = [];
                continue;
            }
            if (piece.length === 0) piece.push(a);
            piece.push(b);
        }
        if (piece.length >= 2) pieces.push(piece);
    }
    return pieces;
}

// Difference b - a of two longitudes taken the short way, in (-180, 180].
function shortDelta(a, b) {
    let d = b - a;
    while (d > 180) d -= 360;
    while (d <= -180) d += 360;
    return d;
}

// Collects chart-unit points into polylines, dropping repeated points (the
// chart unit is one minute, finer points fall together) and polylines that
// end up with a single point.
class PolylineSink {
    constructor() {
        this.polylines = [];
        this.current = null;
    }
    point(rel, lat) {
        const x = nearest(rel * 60);
        const y = nearest(chartMeridionalParts(lat));
        if (this.current === null) this.current = [];
        const last = this.current[this.current.length - 1];
        if (!last || last[0] !== x || last[1] !== y) this.current.push([x, y]);
    }
    end() {
        if (this.current !== null && this.current.length >= 2) this.polylines.push(this.current);
        this.current = null;
    }
}

// One open polyline of [lon, lat] to chart-unit polylines for a central
// meridian ('GW' or 'AG'); appends them to sink.
function projectPiece(piece, centre, sink) {
    // rel is the longitude relative to the central meridian, kept continuous
    // along the polyline: a point exactly on the edge meridian may carry +180
    // or -180, whichever its neighbour needs.
    let prevRel = null;
    for (let i = 0; i + 1 < piece.length; ++i) {
        const [lonA, latA] = piece[i];
        const [lonB, latB] = piece[i + 1];
        const relA = prevRel !== null ? prevRel : relativeLongitude(lonA, centre);
        const dRel = shortDelta(lonA, lonB);
        // The end's own relative longitude, shifted by whole turns to follow
        // on from relA, so that it is bit for bit what the chart computes.
        let relB = relativeLongitude(lonB, centre);
        relB += 360 * Math.round((relA + dRel - relB) / 360);
        const at = (t) => [relA + (relB - relA) * t, latA + (latB - latA) * t];

        // The part of the segment within the latitude limit: t in [t0, t1].
        let t0 = 0;
        let t1 = 1;
        for (const limit of [LATITUDE_LIMIT, -LATITUDE_LIMIT]) {
            const sA = limit > 0 ? latA - limit : limit - latA;  // > 0 beyond
            const sB = limit > 0 ? latB - limit : limit - latB;
            if (sA > 0 && sB > 0) t1 = -1;  // wholly beyond
            else if (sA > 0) t0 = Math.max(t0, sA / (sA - sB));
            else if (sB > 0) t1 = Math.min(t1, sA / (sA - sB));
        }
        if (t1 < t0) {
            sink.end();
            prevRel = null;
            continue;
        }
        if (t0 > 0) sink.end();
        if (sink.current === null) sink.point(...at(t0));

        // An edge crossing inside [t0, t1] ends the polyline on one edge and
        // starts the next on the other.
        const [relEnd] = at(t1);
        let shift = 0;
        if (relEnd > 180 || relEnd < -180) {
            const edge = relEnd > 180 ? 180 : -180;
            const tc = (edge - relA) / (relB - relA);
            const [, latC] = at(tc);
            sink.point(edge, latC);
            sink.end();
            sink.point(-edge, latC);
            shift = edge > 0 ? -360 : 360;
        }
        const [relT1, latT1] = t1 === 1 ? [relB, latB] : at(t1);
        sink.point(relT1 + shift, latT1);
        if (t1 < 1) {
            sink.end();
            prevRel = null;
        } else {
            prevRel = relB + shift;
        }
    }
    sink.end();
}

// Returns the chart-unit polylines (arrays of [x, y] integers) of all pieces
// for one central meridian.
export function chartPolylines(pieces, centre) {
    const sink = new PolylineSink();
    for (const piece of pieces) projectPiece(piece, centre, sink);
    return sink.polylines;
}

// The text of a world map file: one record per line, "-1 x y" to start a
// polyline, "0 x y" to continue it, and a closing "1 0 0".
export function mapFileText(polylines) {
    const lines = [];
    for (const polyline of polylines) {
        polyline.forEach(([x, y], i) => lines.push(`${i === 0 ? -1 : 0} ${x} ${y}`));
    }
    lines.push('1 0 0');
    return lines.join('\n') + '\n';
}
