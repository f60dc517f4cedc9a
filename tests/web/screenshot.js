// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
// A PNG of the web page's dialog in headless Chromium. Usage: node screenshot.js DIST OUT.png
'use strict';

const { launchBrowser, serve } = require('./harness');

async function main([distDir, out]) {
  const server = await serve(distDir);
  const browser = await launchBrowser();
  const page = await browser.newPage();
  await page.setViewport({ width: 1024, height: 768 });
  await page.goto(`http://127.0.0.1:${server.address().port}/index.html`);
  await page.waitForSelector('#ctl1000');
  // The dialog and the window menu's button beside it.
  const clip = await page.evaluate(() => {
    const dialog = document.getElementById('dialog').getBoundingClientRect();
    const menu = document.getElementById('menu-bar').getBoundingClientRect();
    return { x: dialog.left, y: dialog.top, width: menu.right - dialog.left, height: dialog.height };
  });
  await page.screenshot({ path: out, clip });
  await browser.close();
  server.close();
}

main(process.argv.slice(2)).catch((error) => {
  console.error(error);
  process.exit(1);
});
