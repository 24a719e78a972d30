// Renders the ports window's world picture: Mercator, longitude -180 at the
// left edge to +180 at the right, latitude 75 N at the top to 75 S at the
// bottom, with the placement the ports window uses for its dots, so that a
// port's dot falls on its coast.
//
// Land is filled from the land rings with an even-odd scanline fill, sampled
// SUBSAMPLES x SUBSAMPLES times per pixel, and drawn in two plain colours
// with a thin coastline between them.

export const WIDTH = 800;
export const HEIGHT = 517;

const SEA = [170, 205, 228];    // pale blue
const LAND = [240, 233, 212];   // pale sand
const COAST = [96, 112, 128];   // slate grey
// The port dots are red and fuchsia: none of the above is near either.

const SUBSAMPLES = 4;
const LAT_EDGE = 75;
// Beyond 85 degrees Mercator runs away to infinity; nothing there is on the
// picture, so ring points are held at 85 (edges there only close polygons).
const LAT_HOLD = 85;

const mercatorY = (lat) => Math.log(Math.tan(Math.PI / 4 + (lat * Math.PI) / 360));
const KX = WIDTH / 360;
const CY = HEIGHT / 2;
const KY = CY / mercatorY(LAT_EDGE);

// Continuous picture coordinates: the centre of pixel (i, j) is at (i, j),
// as the ports window rounds (lon + 180) x kx and Hp - (Y x ky + cy).
const px = (lon) => (lon + 180) * KX;
const py = (lat) => HEIGHT - (mercatorY(Math.max(-LAT_HOLD, Math.min(LAT_HOLD, lat))) * KY + CY);

// Edges of all rings as [x0, y0, x1, y1].
//
// A ring edge that crosses the 180th meridian (its ends more than 180 degrees
// apart) would run across the whole picture. It is cut where it crosses, and
// each side is closed down its own picture edge to a point below the picture
// (toward the south pole). A ring that crosses twice gets two such closures
// on each side, which cancel below the lower crossing, so the two halves are
// closed exactly between the crossings; a ring that crosses once (Antarctica)
// is closed round the pole, as it should be.
function ringEdges(rings) {
    const edges = [];
    const below = py(-90);
    for (const ring of rings) {
        for (let i = 0; i + 1 < ring.length; ++i) {
            const [lonA, latA] = ring[i];
            const [lonB, latB] = ring[i + 1];
            if (Math.abs(lonB - lonA) <= 180) {
                edges.push([px(lonA), py(latA), px(lonB), py(latB)]);
                continue;
            }
            // The short way goes east (lonA > 0) or west across the meridian.
            const sideA = lonA > 0 ? 180 : -180;
            const span = (sideA - lonA) + (lonB + sideA);  // degrees along the short way
            const t = span === 0 ? 0.5 : (sideA - lonA) / span;
            const m = py(latA + (latB - latA) * t);
            const xA = px(sideA);
            const xB = px(-sideA);
            edges.push([px(lonA), py(latA), xA, m], [xA, m, xA, below]);
            edges.push([xB, below, xB, m], [xB, m, px(lonB), py(latB)]);
        }
    }
    return edges;
}

// Land coverage per pixel, 0 .. SUBSAMPLES^2.
function landCoverage(rings) {
    const S = SUBSAMPLES;
    const rows = HEIGHT * S;
    const cols = WIDTH * S;
    // Sample row r lies at y = (r + 0.5) / S - 0.5; an edge counts for the
    // rows with y in [ymin, ymax).
    const rowOf = (y) => Math.ceil((y + 0.5) * S - 0.5);
    const starts = Array.from({ length: rows }, () => []);
    for (const [x0, y0, x1, y1] of ringEdges(rings)) {
        if (y0 === y1) continue;
        const e = y0 < y1 ? { xa: x0, ya: y0, xb: x1, yb: y1 } : { xa: x1, ya: y1, xb: x0, yb: y0 };
        e.first = Math.max(0, rowOf(e.ya));
        e.last = Math.min(rows, rowOf(e.yb));  // exclusive
        if (e.first < e.last) starts[e.first].push(e);
    }
    const cover = new Uint8Array(WIDTH * HEIGHT);
    let active = [];
    const xs = [];
    for (let r = 0; r < rows; ++r) {
        active = active.filter((e) => e.last > r).concat(starts[r]);
        const y = (r + 0.5) / S - 0.5;
        xs.length = 0;
        for (const e of active) xs.push(e.xa + ((y - e.ya) * (e.xb - e.xa)) / (e.yb - e.ya));
        xs.sort((a, b) => a - b);
        const row = Math.floor(r / S) * WIDTH;
        for (let k = 0; k + 1 < xs.length; k += 2) {
            const c0 = Math.max(0, Math.ceil((xs[k] + 0.5) * S - 0.5));
            const c1 = Math.min(cols, Math.ceil((xs[k + 1] + 0.5) * S - 0.5));
            for (let c = c0; c < c1; ++c) cover[row + Math.floor(c / S)] += 1;
        }
    }
    return cover;
}

// Returns the picture as WIDTH * HEIGHT * 3 bytes of RGB, rows top down.
// A pixel at least half covered is land. The coastline is one pixel wide,
// on the land side: land pixels next to sea. An island smaller than half a
// pixel still shows, as a single coastline pixel.
export function renderWorld(rings) {
    const half = (SUBSAMPLES * SUBSAMPLES) / 2;
    const cover = landCoverage(rings);
    const isLand = (x, y) =>
        x < 0 || y < 0 || x >= WIDTH || y >= HEIGHT ? null : cover[y * WIDTH + x] >= half;
    const rgb = new Uint8Array(WIDTH * HEIGHT * 3);
    for (let y = 0; y < HEIGHT; ++y) {
        for (let x = 0; x < WIDTH; ++x) {
            // Beyond the picture's edges counts as neither land nor sea.
            const around = [isLand(x - 1, y), isLand(x + 1, y), isLand(x, y - 1), isLand(x, y + 1)];
            let colour;
            if (isLand(x, y)) colour = around.includes(false) ? COAST : LAND;
            else colour = cover[y * WIDTH + x] > 0 && !around.includes(true) ? COAST : SEA;
            rgb.set(colour, (y * WIDTH + x) * 3);
        }
    }
    return rgb;
}
