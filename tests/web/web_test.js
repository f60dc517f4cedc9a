// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
// The web page in headless Chromium against korvalink-sim, through a stand-in for
// navigator.serial and a WebSocket bridge to the simulator's pseudo-terminal.
// Usage: node web_test.js DIST_DIR KORVALINK_SIM
// Prints "web: N passed, M failed".
'use strict';

const { startBridge } = require('./bridge');
const { launchBrowser, serve, startSimulator } = require('./harness');
const { installFakeSerial, installFakePickers } = require('./fake_serial');

const [distDir, simPath] = process.argv.slice(2);

// The checks share one browser, one simulator and one bridge; each gets a page of its own.
let browser;
let pageUrl;
let bridgeUrl;

async function openPage(options = {}) {
  const page = await browser.newPage();
  page.consoleErrors = [];
  page.on('console', (message) => { if (message.type() === 'error') page.consoleErrors.push(message.text()); });
  page.on('pageerror', (error) => page.consoleErrors.push(String(error)));
  if (process.env.KORVASET_WEB_DEBUG) {
    page.on('console', (message) => console.log('page: ' + message.text()));
    page.on('pageerror', (error) => console.log('page error: ' + error));
  }
  await page.evaluateOnNewDocument(installFakeSerial, bridgeUrl, options);
  await page.evaluateOnNewDocument(installFakePickers);
  await page.goto(pageUrl);
  await page.waitForSelector('#ctl1000');
  await page.waitForFunction(() => document.querySelector('#ctl1034 option'));
  return page;
}

const control = (page, role, name) => page.waitForSelector(`::-p-aria([name="${name}"][role="${role}"])`);

// Presses a control, answers every message box (OK unless answers say 'cancel') and returns
// them as "Caption: text" once the page is idle again.
async function operate(page, role, name, answers = []) {
  return operateOn(page, await control(page, role, name), answers);
}

async function operateOn(page, target, answers = []) {
  const shown = [];
  if (typeof target === 'function') await target();
  else await (typeof target === 'string' ? page.click(target) : target.click());
  for (;;) {
    // Each box sets a new text node: one marked as seen is a box already answered.
    const handle = await page.waitForFunction(() => {
      const text = document.getElementById('message-text').firstChild;
      if (document.querySelector('#message[open]')) {
        if (text.seen) return false;
        text.seen = true;
        return { text: document.getElementById('message-caption').textContent + ': ' + text.data };
      }
      return document.documentElement.classList.contains('busy') ? false : { idle: true };
    }, { timeout: 30000, polling: 20 }).catch((error) => {
      throw new Error(`no box and still busy after ${JSON.stringify(shown)}: ${error.message}`);
    });
    const state = await handle.jsonValue();
    if (state.idle) return shown;
    shown.push(state.text);
    await page.click(answers.shift() === 'cancel' ? '#message-cancel' : '#message-ok');
  }
}

function expectEqual(actual, expected, what) {
  const a = JSON.stringify(actual);
  const e = JSON.stringify(expected);
  if (a !== e) throw new Error(`${what}: got ${a}, expected ${e}`);
}

const value = (page, id) => page.$eval('#ctl' + id, (element) => element.value);

// Rectangles from the layout table, in dialog units, of a control of each kind.
const kRects = [
  ['ctl1000', [43, 23, 74, 14]],   // Callsign
  ['ctl1009', [85, 137, 40, 14]],  // Quiet Time
  ['ctl1021', [265, 89, 57, 12]],  // MIC-E Message: the field of a drop-down
  ['ctl1062', [62, 287, 50, 14]],  // Read Config
  ['ctl1029', [335, 236, 11, 14]], // RX Level arrows
  ['ctl1', [292, 305, 50, 14]],    // Exit
];

const checks = [
  ['the page loads without console errors, its controls at their layout rectangles', async () => {
    const page = await openPage();
    const placed = await page.evaluate((rects) => {
      const dialog = document.getElementById('dialog');
      const style = getComputedStyle(dialog);
      const context = document.createElement('canvas').getContext('2d');
      context.font = style.fontSize + ' ' + style.fontFamily;
      const letters = 'ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz';
      const metrics = context.measureText(letters);
      const baseX = metrics.width / 52;
      const baseY = Math.ceil(metrics.fontBoundingBoxAscent + metrics.fontBoundingBoxDescent);
      const origin = dialog.getBoundingClientRect();
      const wrong = [];
      for (const [id, [x, y, w, h]] of rects) {
        const box = document.getElementById(id).getBoundingClientRect();
        const want = [x * baseX / 4, y * baseY / 8, w * baseX / 4, h * baseY / 8];
        const got = [box.left - origin.left - dialog.clientLeft, box.top - origin.top - dialog.clientTop, box.width, box.height];
        if (got.some((v, i) => Math.abs(v - want[i]) > 1)) wrong.push(`${id} at ${got.map(Math.round)} not ${want.map(Math.round)}`);
      }
      return wrong;
    }, kRects);
    expectEqual(placed, [], 'misplaced controls');
    expectEqual(await page.title(), 'Korvaset', 'title');
    await control(page, 'textbox', 'Digi Path');
    await control(page, 'checkbox', 'Send Altitude');
    await control(page, 'combobox', 'Message');
    await control(page, 'tab', 'Secondary');
    expectEqual(await page.$eval('#ctl1034', (list) => list.options[list.selectedIndex].text), 'FTDI FT232R', 'first port');
    expectEqual(page.consoleErrors, [], 'console errors');
    await page.close();
  }],
  ['Write Config writes and verifies; Read Config fills the form', async () => {
    const page = await openPage();
    await page.$eval('#ctl1000', (edit) => { edit.value = 'N0WEB'; });
    expectEqual(await operate(page, 'button', 'Write Config'), ['Korvalink Write: Write Successful'], 'write');
    await page.close();
    const again = await openPage();
    expectEqual(await operate(again, 'button', 'Read Config'), ['Korvalink Read: Read Successful'], 'read');
    expectEqual(await value(again, 1000), 'N0WEB', 'callsign read back');
    expectEqual(await operate(again, 'button', 'Read Version'), ['Korvalink Version: Korvalink 1.0 simulated'], 'version');
    expectEqual(again.consoleErrors, [], 'console errors');
    await again.close();
  }],
  ['an emergency message is written only when confirmed', async () => {
    const page = await openPage();
    if (!(await page.$eval('#ctl1033', (box) => box.checked))) await operateOn(page, '#ctl1033');
    await page.$eval('#ctl1021', (field) => { field.value = 'Emergency!'; });
    const opensBefore = await page.evaluate(() => window.fakeSerialLog.opens.length);
    const boxes = await operate(page, 'button', 'Write Config', ['cancel']);
    expectEqual(boxes.length, 1, 'one confirmation');
    expectEqual(await page.evaluate(() => window.fakeSerialLog.opens.length), opensBefore, 'ports opened');
    await page.close();
  }],
  ['a silent tracker is not found', async () => {
    const page = await openPage({ silent: true });
    const boxes = await operate(page, 'button', 'Read Config');
    expectEqual(boxes[boxes.length - 1], 'Error: Korvalink Not Found', 'last message');
    expectEqual(await page.evaluate(() => window.fakeSerialLog.opens), [4800, 9600], 'speeds tried');
    await page.close();
  }],
  ['a port unplugged during a read fails the read, and the page stays usable', async () => {
    const page = await openPage({ unplugAfter: 60 });
    const boxes = await operate(page, 'button', 'Read Config');
    if (!boxes.includes('Error: ComPort read failed') || boxes.includes('Korvalink Read: Read Successful')) {
      throw new Error('messages: ' + JSON.stringify(boxes));
    }
    expectEqual(await operate(page, 'button', 'Save'), [], 'save after the failure');
    expectEqual(await page.evaluate(() => window.savedFiles['config1.kvc'].length), 136, 'saved');
    await page.close();
  }],
  ['the port chooser closed ends the operation without a message', async () => {
    const page = await openPage({ chooserCancelled: true });
    await page.$eval('#ctl1034', (list) => { list.selectedIndex = list.options.length - 1; });
    expectEqual(await operate(page, 'button', 'Read Config'), [], 'messages');
    await page.close();
  }],
  ['Save gives the 136-byte file; a damaged file does not load', async () => {
    const page = await openPage();
    await page.$eval('#ctl1000', (edit) => { edit.value = 'N0SAVE'; });
    expectEqual(await operate(page, 'button', 'Save'), [], 'save');
    const saved = await page.evaluate(() => window.savedFiles['config1.kvc']);
    expectEqual(saved.length, 136, 'file size');
    expectEqual(String.fromCharCode(...saved.slice(0, 4)), 'KVLA', 'magic');
    await page.$eval('#ctl1000', (edit) => { edit.value = ''; });
    await page.evaluate((bytes) => { window.fileToOpen = { name: 'config1.kvc', bytes }; }, saved);
    expectEqual(await operate(page, 'button', 'Load'), [], 'load');
    expectEqual(await value(page, 1000), 'N0SAVE', 'callsign loaded');
    await page.evaluate(() => { window.fileToOpen = { name: 'bad.kvc', bytes: [75, 86, 76, 65, 64, 0, 0, 0] }; });
    expectEqual(await operate(page, 'button', 'Load'), ['Load Failed: Invalid File Format'], 'damaged file');
    await page.close();
  }],
  ['each control explains itself; F7 and the window menu check the configuration', async () => {
    const page = await openPage();
    const slowRate = await page.$eval('#ctl1039', (edit) => [edit.title, edit.getAttribute('aria-description')]);
    expectEqual(slowRate[0].split('\n')[0], 'SmartBeaconing: Slow Rate (seconds)', 'tooltip');
    expectEqual(slowRate[1], slowRate[0], 'accessible description');
    await control(page, 'textbox', 'Slow Rate');
    await page.focus('#ctl1000');
    const pressed = await operateOn(page, () => page.keyboard.press('F7'));
    if (pressed.length !== 1 || !pressed[0].startsWith('Check Configuration: ') ||
        !pressed[0].includes('[placeholder-callsign]')) {
      throw new Error('F7: ' + JSON.stringify(pressed));
    }
    await operate(page, 'button', 'Menu');
    expectEqual(await operate(page, 'menuitem', 'Check Configuration...'), pressed, 'from the menu');
    await page.close();
  }],
  ['a browser without Web Serial says so, and still saves', async () => {
    const page = await openPage({ noSerial: true });
    const boxes = await operate(page, 'button', 'Read Config');
    expectEqual(boxes, ["Error: This browser can't reach serial ports. Use Chrome, Edge or Opera on a computer to read and write the tracker; files can still be loaded, edited and saved here."], 'message');
    expectEqual(await operate(page, 'button', 'Save'), [], 'save');
    expectEqual(await page.evaluate(() => window.savedFiles['config1.kvc'].length), 136, 'saved');
    await page.close();
  }],
];

async function main() {
  const server = await serve(distDir);
  pageUrl = `http://127.0.0.1:${server.address().port}/index.html`;
  const sim = await startSimulator(simPath);
  const bridge = await startBridge(sim.slave);
  bridgeUrl = bridge.url;
  browser = await launchBrowser();
  let passed = 0;
  let failed = 0;
  const only = process.env.KORVASET_WEB_ONLY || '';
  for (const [name, run] of checks.filter(([name]) => name.includes(only))) {
    try {
      await run();
      passed += 1;
      console.log('ok: ' + name);
    } catch (error) {
      failed += 1;
      console.log('FAILED: ' + name + '\n  ' + (error && error.stack || error));
    }
  }
  await browser.close();
  await bridge.close();
  sim.process.kill('SIGTERM');
  server.close();
  console.log(`web: ${passed} passed, ${failed} failed`);
  process.exit(failed === 0 ? 0 : 1);
}

main().catch((error) => {
  console.error(error);
  console.log('web: 0 passed, 1 failed');
  process.exit(1);
});
