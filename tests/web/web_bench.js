// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
// Figures of the web page, none of them a test: the time from navigation to the dialog
// drawn in headless Chromium, the bytes a gzip-serving host transfers, and Read Config at
// 4800 baud through the bridge as a ratio to the protocol's floor (tests/bench/device_bench).
// Usage: node web_bench.js DIST_DIR KORVALINK_SIM [RUNS]
'use strict';

const { execFileSync } = require('child_process');
const fs = require('fs');
const path = require('path');
const zlib = require('zlib');
const { startBridge } = require('./bridge');
const { installFakeSerial } = require('./fake_serial');
const { launchBrowser, serve, startSimulator } = require('./harness');

const median = (values) => values.slice().sort((a, b) => a - b)[Math.floor(values.length / 2)];

function readFloor() {
  const bench = path.join(__dirname, '..', 'bench', 'device_bench');
  const code = 'import importlib.machinery as m, importlib.util as u\n' +
    `l = m.SourceFileLoader('bench', ${JSON.stringify(bench)})\n` +
    "b = u.module_from_spec(u.spec_from_loader('bench', l)); l.exec_module(b)\n" +
    "print(b.floors(4800)['read'])";
  return Number(execFileSync('python3', ['-c', code]));
}

async function main([distDir, simPath, runs = '5']) {
  let gzipped = 0;
  for (const name of fs.readdirSync(distDir)) {
    if (name.endsWith('.png') && name !== 'korvaset-32.png') continue;  // install icons only
    gzipped += zlib.gzipSync(fs.readFileSync(path.join(distDir, name)), { level: 9 }).length;
  }
  const server = await serve(distDir);
  const url = `http://127.0.0.1:${server.address().port}/index.html`;
  const sim = await startSimulator(simPath);
  const bridge = await startBridge(sim.slave);
  const browser = await launchBrowser();

  const drawn = [];
  const reads = [];
  for (let run = 0; run < Number(runs); ++run) {
    const context = await browser.createBrowserContext();  // a first visit each time
    const page = await context.newPage();
    await page.evaluateOnNewDocument(installFakeSerial, bridge.url, {});
    // Timed in the page, from the click to the box that reports the read, so that the
    // round trips of the browser's remote control don't count.
    await page.evaluateOnNewDocument(() => {
      window.addEventListener('click', () => { window.benchClick = performance.now(); }, true);
      new MutationObserver(() => {
        const box = document.getElementById('message');
        if (box && box.open && !window.benchBox) window.benchBox = performance.now();
      }).observe(document, { attributes: true, subtree: true, attributeFilter: ['open'] });
    });
    await page.goto(url);
    await page.waitForSelector('#ctl1000');
    drawn.push(await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(() => resolve(performance.now())))));
    await page.waitForFunction(() => document.querySelector('#ctl1034 option'));
    await page.click('#ctl1062');
    await page.waitForSelector('#message[open]', { timeout: 30000 });
    reads.push(await page.evaluate(() => window.benchBox - window.benchClick));
    await context.close();
  }
  await browser.close();
  await bridge.close();
  sim.process.kill('SIGTERM');
  server.close();

  const floor = readFloor();
  console.log(`navigation to dialog drawn: ${median(drawn).toFixed(0)} ms (median of ${runs})`);
  console.log(`transferred (gzip -9): ${(gzipped / 1024).toFixed(1)} KiB`);
  console.log(`Read Config at 4800 baud: ${median(reads).toFixed(0)} ms, floor ${floor.toFixed(0)} ms, ratio ${(median(reads) / floor).toFixed(3)}`);
}

main(process.argv.slice(2)).catch((error) => {
  console.error(error);
  process.exit(1);
});
