// Writes the outlines the map pictures are drawn from, as GeoJSON on standard output: the land
// and the borders between countries of Natural Earth at 1:50 million (public domain), from the
// npm package world-atlas.

import { readFileSync } from "node:fs";
import { feature, mesh } from "topojson-client";

const read = (name) => JSON.parse(readFileSync(new URL(`node_modules/world-atlas/${name}`, import.meta.url)));
const land = read("land-50m.json");
const countries = read("countries-50m.json");

// The land as one multipolygon, whatever collection the atlas keeps it in.
const landFeatures = feature(land, land.objects.land);
const polygons = (landFeatures.features ?? [landFeatures]).flatMap(({ geometry }) =>
  geometry.type === "Polygon" ? [geometry.coordinates] : geometry.coordinates,
);

const outlines = {
  type: "FeatureCollection",
  features: [
    {
      type: "Feature",
      properties: { kind: "land" },
      geometry: { type: "MultiPolygon", coordinates: polygons },
    },
    {
      type: "Feature",
      properties: { kind: "borders" },
      geometry: mesh(countries, countries.objects.countries, (a, b) => a !== b),
    },
  ],
};
process.stdout.write(JSON.stringify(outlines));
