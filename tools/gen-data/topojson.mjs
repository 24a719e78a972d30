// A small TopoJSON reader: just what the land polygons need.
//
// The arcs of a quantized topology are delta-encoded integers; the transform
// turns the running sums into degrees. A ring lists arc indices; a negative
// index ~i means arc i walked backwards. Consecutive arcs share their joining
// point, which is kept once.

function decodeArcs(topology) {
    const { scale, translate } = topology.transform;
    return topology.arcs.map((arc) => {
        let qx = 0;
        let qy = 0;
        return arc.map(([dx, dy]) => {
            qx += dx;
            qy += dy;
            return [qx * scale[0] + translate[0], qy * scale[1] + translate[1]];
        });
    });
}

function ringPoints(ringArcs, arcs) {
    const points = [];
    for (const index of ringArcs) {
        const arc = index >= 0 ? arcs[index] : arcs[~index].slice().reverse();
        for (let i = points.length === 0 ? 0 : 1; i < arc.length; ++i) points.push(arc[i]);
    }
    return points;
}

// Returns every ring (outer boundaries and holes alike) of the named object
// as an array of [lon, lat] points, closed (the last point equals the first),
// in the order of the file.
export function objectRings(topology, name) {
    const arcs = decodeArcs(topology);
    const rings = [];
    const visit = (geometry) => {
        switch (geometry.type) {
            case 'GeometryCollection':
                geometry.geometries.forEach(visit);
                break;
            case 'Polygon':
                for (const ring of geometry.arcs) rings.push(ringPoints(ring, arcs));
                break;
            case 'MultiPolygon':
                for (const polygon of geometry.arcs) {
                    for (const ring of polygon) rings.push(ringPoints(ring, arcs));
                }
                break;
            default:
                throw new Error(`unexpected geometry ${geometry.type} in ${name}`);
        }
    };
    visit(topology.objects[name]);
    return rings;
}
