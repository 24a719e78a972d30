// The chart's own coordinate rules, written exactly as the chart reads them,
// so that the coastline lands on the same integers as the chart's marks and
// graticule.

// Nearest integer, a half going to the even neighbour (the chart's rounding).
export function nearest(v) {
    const f = Math.floor(v);
    const d = v - f;
    let r;
    if (d < 0.5) r = f;
    else if (d > 0.5) r = f + 1;
    else r = f % 2 === 0 ? f : f + 1;
    return r === 0 ? 0 : r;  // never "-0" in a text
}

// Beyond this latitude the chart gives a sentinel instead of meridional parts,
// so no coastline point may lie beyond it.
export const LATITUDE_LIMIT = 89.9;

// Spherical meridional parts of the chart, in minutes of the equator. The
// constants are those the chart holds (pi/360 and pi/4 to eight decimals,
// 10800/pi); the tangent is sin/cos, 0 where the cosine is exactly 0.
export function chartMeridionalParts(lat) {
    if (Math.abs(lat) <= LATITUDE_LIMIT) {
        const a = lat * 0.00872665 + 0.78539816;
        const c = Math.cos(a);
        const t = c === 0 ? 0 : Math.sin(a) / c;
        return Math.log(t) * 3437.746770784939;
    }
    return lat > 0 ? 9999.0 : -9999.0;
}

// Longitude east of the chart's central meridian in degrees, in [-180, 180).
// 'GW' is Greenwich-centred; 'AG' is centred on the 180th meridian, where the
// chart takes lon - 180 for lon >= 0 and lon + 180 for lon < 0.
export function relativeLongitude(lon, centre) {
    if (centre === 'GW') return lon;
    return lon >= 0 ? lon - 180 : lon + 180;
}
