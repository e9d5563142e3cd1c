// Writes astro/precise/testdata/almanac_reference.txt, the almanac values the
// precise ephemeris tests compare with.
//
// The values come from the npm package astronomy-engine (2.1.19), an
// independent ephemeris (VSOP87 for the Earth, a long lunar series, its own
// ΔT model and its own eclipse searches):
//     npm install --prefix /tmp/almanac-ref astronomy-engine@2.1.19
//     NODE_PATH=/tmp/almanac-ref/node_modules node data/tools/make_almanac_reference.mjs
// --all writes every value from 1900 to 2100 instead of the committed
// selection; DAWN_ALMANAC_REFERENCE=FILE makes the test measure against that
// file and print the median and largest differences.
//
// Lines (times are UT, "YYYY-MM-DD HH:MM:SS"):
//   season;march|june|september|december;TIME
//   apsis;perigee|apogee;TIME;DISTANCE_KM
//   lunar;penumbral|partial|total;PEAK;SEMIDURATION_PENUMBRAL;_PARTIAL;_TOTAL (minutes)
//   solar;PLACE;LAT;LON;partial|annular|total;OBSCURATION;C1;C2;PEAK;C3;C4;ALT_C1;ALT_PEAK;ALT_C4
import { createRequire } from 'module';
const require = createRequire(import.meta.url);
const A = require('astronomy-engine');

const all = process.argv.includes('--all');
const out = ['# Made by data/tools/make_almanac_reference.mjs from astronomy-engine 2.1.19; times UT.'];

// A UT instant to the nearest second, "YYYY-MM-DD HH:MM:SS".
function isoRounded(t) {
  return new Date(Math.round(t.date.getTime() / 1000) * 1000).toISOString().replace('T', ' ').replace(/\.\d+Z$/, '');
}

const seasonYears = all ? Array.from({ length: 201 }, (_, i) => 1900 + i) : [1900, 1950, 2000, 2024, 2050, 2100];
for (const y of seasonYears) {
  const s = A.Seasons(y);
  out.push(`season;march;${isoRounded(s.mar_equinox)}`);
  out.push(`season;june;${isoRounded(s.jun_solstice)}`);
  out.push(`season;september;${isoRounded(s.sep_equinox)}`);
  out.push(`season;december;${isoRounded(s.dec_solstice)}`);
}

{
  const first = all ? 1900 : 2024, last = all ? 2100 : 2024;
  let a = A.SearchLunarApsis(new Date(Date.UTC(first, 0, 1)));
  while (a.time.date.getUTCFullYear() <= last) {
    out.push(`apsis;${a.kind === A.ApsisKind.Pericenter ? 'perigee' : 'apogee'};${isoRounded(a.time)};${a.dist_km.toFixed(1)}`);
    a = A.NextLunarApsis(a);
  }
}

const kindName = (k) => ({ [A.EclipseKind.Penumbral]: 'penumbral', [A.EclipseKind.Partial]: 'partial',
  [A.EclipseKind.Annular]: 'annular', [A.EclipseKind.Total]: 'total' })[k];

{
  const first = all ? 1900 : 2024, last = all ? 2100 : 2025;
  let e = A.SearchLunarEclipse(new Date(Date.UTC(first, 0, 1)));
  while (e.peak.date.getUTCFullYear() <= last) {
    out.push(`lunar;${kindName(e.kind)};${isoRounded(e.peak)};${e.sd_penum.toFixed(2)};${e.sd_partial.toFixed(2)};${e.sd_total.toFixed(2)}`);
    e = A.NextLunarEclipse(e.peak);
  }
}

const places = all
  ? [['dallas', 32.7767, -96.7970], ['berlin', 52.5200, 13.4050], ['sydney', -33.8688, 151.2093], ['quito', -0.1807, -78.4678]]
  : [['dallas', 32.7767, -96.7970], ['newyork', 40.7128, -74.0060], ['berlin', 52.5200, 13.4050],
     ['albuquerque', 35.0844, -106.6504]];
for (const [name, lat, lon] of places) {
  const first = all ? 1900 : (name === 'albuquerque' ? 2023 : 2024), last = all ? 2100 : 2024;
  const obs = new A.Observer(lat, lon, 0);
  let e = A.SearchLocalSolarEclipse(new Date(Date.UTC(first, 0, 1)), obs);
  while (e.peak.time.date.getUTCFullYear() <= last) {
    const c2 = e.total_begin ? isoRounded(e.total_begin.time) : '';
    const c3 = e.total_end ? isoRounded(e.total_end.time) : '';
    out.push(`solar;${name};${lat};${lon};${kindName(e.kind)};${(100 * e.obscuration).toFixed(2)};` +
      `${isoRounded(e.partial_begin.time)};${c2};${isoRounded(e.peak.time)};${c3};${isoRounded(e.partial_end.time)};` +
      `${e.partial_begin.altitude.toFixed(2)};${e.peak.altitude.toFixed(2)};${e.partial_end.altitude.toFixed(2)}`);
    e = A.NextLocalSolarEclipse(e.peak.time, obs);
  }
}
process.stdout.write(out.join('\n') + '\n');
