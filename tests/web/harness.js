// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
// What the browser tests, the benchmark and the screenshot share: the page served from a folder on
// localhost (a secure context, as Web Serial and service workers want), and Debian's
// Chromium, headless, without the sandbox that a root CI machine can't give it.
'use strict';

const { spawn } = require('child_process');
const fs = require('fs');
const http = require('http');
const path = require('path');
const readline = require('readline');
const puppeteer = require('puppeteer-core');

const kTypes = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm',
  '.css': 'text/css', '.png': 'image/png', '.svg': 'image/svg+xml', '.webmanifest': 'application/manifest+json' };

function serve(root) {
  const server = http.createServer((request, response) => {
    let file = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
    if (file.endsWith('/')) file += 'index.html';
    const full = path.join(root, path.normalize(file));
    fs.readFile(full, (error, data) => {
      if (error) { response.writeHead(404); response.end(); return; }
      response.writeHead(200, { 'Content-Type': kTypes[path.extname(full)] || 'application/octet-stream' });
      response.end(data);
    });
  });
  return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve(server)));
}

function launchBrowser() {
  return puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-dev-shm-usage', '--disable-background-networking',
      '--disable-extensions', '--no-first-run', '--disable-sync', '--disable-default-apps',
      '--font-render-hinting=none'],
  });
}

// korvalink-sim, once it prints the path of its pseudo-terminal.
async function startSimulator(simPath, args = []) {
  const sim = spawn(simPath, args, { stdio: ['ignore', 'pipe', 'ignore'] });
  const lines = readline.createInterface({ input: sim.stdout });
  const slave = await new Promise((resolve) => lines.once('line', resolve));
  return { process: sim, slave };
}

module.exports = { launchBrowser, serve, startSimulator };
