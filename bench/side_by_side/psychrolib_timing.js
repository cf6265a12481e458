// Times psychrolib's wet bulb, dew point and relative humidity over the states of a file of
// lines "T W pt" (degC, kg/kg, Pa) and prints "name nanoseconds-per-call" for each, the median
// of seven runs. Run by psychro_side_by_side, which compares the figures with climstat's.
'use strict';
const fs = require('fs');
const psychrolib = require('psychrolib');
psychrolib.SetUnitSystem(psychrolib.SI);

const lines = fs.readFileSync(process.argv[2], 'utf8').split('\n').filter((l) => l.length > 0);
const n = lines.length;
const T = new Float64Array(n), W = new Float64Array(n), P = new Float64Array(n);
lines.forEach((line, i) => {
    const [t, w, p] = line.split(' ').map(Number);
    T[i] = t;
    W[i] = w;
    P[i] = p;
});

function time(name, fn) {
    let sink = 0;
    for (let i = 0; i < n; ++i) sink += fn(T[i], W[i], P[i]);  // warm-up
    const runs = [];
    for (let run = 0; run < 7; ++run) {
        const start = process.hrtime.bigint();
        for (let i = 0; i < n; ++i) sink += fn(T[i], W[i], P[i]);
        runs.push(Number(process.hrtime.bigint() - start) / n);
    }
    runs.sort((a, b) => a - b);
    console.log(`${name} ${runs[3].toFixed(1)} ${sink > 0 ? '' : ' '}`);
}

time('wetBulb', (t, w, p) => psychrolib.GetTWetBulbFromHumRatio(t, w, p));
time('dewPoint', (t, w, p) => psychrolib.GetTDewPointFromHumRatio(t, w, p));
time('relativeHumidity', (t, w, p) => psychrolib.GetRelHumFromHumRatio(t, w, p));
