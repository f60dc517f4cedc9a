// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
// The page's glue: starts the WebAssembly, routes the page's events into it through ccall
// with {async: true}, and gives it the browser's serial ports, message boxes and files.
'use strict';

var Module = {};

(function () {
  const kIdExit = 1;
  const kIdAbout = 1071;
  const kIdPortList = 1034;
  const kDeviceButtons = new Set([1027, 1062, 1063, 1065, 1066, 1067, 1068]);
  const kChooseText = 'Choose a port...';
  const kNoSerialText =
    "This browser can't reach serial ports. Use Chrome, Edge or Opera on a computer to read " +
    'and write the tracker; files can still be loaded, edited and saved here.';
  const kVendors = { 0x0403: 'FTDI', 0x067b: 'Prolific', 0x10c4: 'Silicon Labs', 0x1a86: 'WCH' };
  const kChips = {
    '0403:6001': 'FTDI FT232R', '0403:6010': 'FTDI FT2232', '0403:6014': 'FTDI FT232H',
    '0403:6015': 'FTDI FT231X', '067b:2303': 'Prolific PL2303', '10c4:ea60': 'Silicon Labs CP210x',
    '1a86:7523': 'WCH CH340', '1a86:55d4': 'WCH CH9102',
  };
  // The port list holds COM1 to COM8: at most seven ports, then "Choose a port...".
  const kMaxPorts = 7;

  const $ = (id) => document.getElementById(id);
  const hex4 = (n) => n.toString(16).padStart(4, '0');
  let busy = false;
  let simPort = null;
  let pendingSave = null;
  let portsChanged = false;  // a port came or went during an operation

  // -- The dialog font's metrics, as the desktop windows measure them.
  function fontMetrics() {
    const context = document.createElement('canvas').getContext('2d');
    const style = getComputedStyle($('dialog'));
    context.font = style.fontSize + ' ' + style.fontFamily;
    const letters = 'ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz';
    const average = context.measureText(letters).width / 52;
    const sample = context.measureText(letters);
    return [average, sample.fontBoundingBoxAscent + sample.fontBoundingBoxDescent];
  }

  // -- Entering the WebAssembly. One operation at a time: while one is paused at an await,
  // the page takes no other input, since a second entry would break the paused one.
  async function run(operation) {
    if (busy) return;
    busy = true;
    document.documentElement.classList.add('busy');
    try {
      await operation();
      await finishSave();
    } finally {
      busy = false;
      document.documentElement.classList.remove('busy');
    }
    if (portsChanged) {
      portsChanged = false;
      await refreshPorts();
    }
  }

  function onPortsChanged() {
    if (busy) portsChanged = true;
    else refreshPorts();
  }

  const enter = (name, args) =>
    Module.ccall(name, null, args.map(() => 'number'), args, { async: true });

  function blockWhileBusy(event) {
    if (!busy || (event.target.closest && event.target.closest('dialog[open]'))) return;
    event.preventDefault();
    event.stopImmediatePropagation();
  }

  // -- Message boxes: modal <dialog>, the default button focused, Enter and Escape.
  function box(text, caption, okCancel, defaultCancel, exclamation) {
    const dialog = $('message');
    $('message-caption').textContent = caption;
    $('message-text').textContent = text;
    $('message-cancel').hidden = !okCancel;
    dialog.classList.toggle('exclamation', exclamation);
    dialog.setAttribute('aria-label', caption);
    dialog.returnValue = '';
    return new Promise((resolve) => {
      dialog.addEventListener('close', () => {
        // Escape closes with no value: Cancel where there is one, otherwise OK.
        const value = dialog.returnValue || (okCancel ? 'cancel' : 'ok');
        resolve(value === 'ok' ? 1 : 0);
      }, { once: true });
      dialog.showModal();
      (defaultCancel && okCancel ? $('message-cancel') : $('message-ok')).focus();
    });
  }

  function showAbout() {
    const dialog = $('about');
    return new Promise((resolve) => {
      dialog.addEventListener('close', resolve, { once: true });
      dialog.showModal();
      $('about-ctl1').focus();
    });
  }

  const checkConfiguration = () => enter('korvaset_check', []);

  function exitPage() {
    // Closes an installed app's window; a tab the browser keeps open says so.
    window.close();
    $('dialog').hidden = true;
    $('menu-bar').hidden = true;
    $('closed').hidden = false;
  }

  // -- The serial port, over Web Serial.
  function portName(port, index) {
    if (port === simPort) return 'Simulated tracker';
    const info = port.getInfo ? port.getInfo() : {};
    if (info.usbVendorId === undefined) return 'Serial port ' + (index + 1);
    const ids = hex4(info.usbVendorId) + ':' + hex4(info.usbProductId);
    if (kChips[ids]) return kChips[ids];
    return (kVendors[info.usbVendorId] || 'USB') + ' ' + ids;
  }

  async function refreshPorts(wanted) {
    const list = $('ctl' + kIdPortList);
    const previous = serial.ports[list.selectedIndex];
    let ports = navigator.serial ? await navigator.serial.getPorts() : [];
    if (simPort) ports = [simPort, ...ports];
    ports = ports.slice(0, kMaxPorts);
    serial.ports = ports;
    const options = ports.map((port, i) => new Option(portName(port, i), 'COM' + (i + 1)));
    options.push(new Option(kChooseText, 'COM' + (ports.length + 1)));
    list.replaceChildren(...options);
    const keep = ports.indexOf(wanted || previous);
    list.selectedIndex = keep >= 0 ? keep : 0;
  }

  const serial = {
    ports: [],
    port: null,
    reader: null,
    writer: null,
    queue: [],
    failed: false,
    waiter: null,

    async open(entry, baudRate) {
      const port = this.ports[entry];
      if (!port) return 0;
      try {
        await port.open({ baudRate, dataBits: 8, parity: 'none', stopBits: 1, flowControl: 'none' });
      } catch (error) {
        return 0;  // held by another tab or program, or gone
      }
      this.port = port;
      this.queue = [];
      this.failed = false;
      if (port.setSignals) {
        try { await port.setSignals({ dataTerminalReady: true, requestToSend: true }); } catch (e) { /* not every port has them */ }
      }
      this.writer = port.writable.getWriter();
      this.reader = port.readable.getReader();
      this.pump(this.reader);
      return 1;
    },

    async pump(reader) {
      try {
        for (;;) {
          const { value, done } = await reader.read();
          if (done) break;
          for (const byte of value) this.queue.push(byte);
          this.wake();
        }
      } catch (error) {
        // The stream broke: the port was unplugged.
        if (reader === this.reader) {
          this.failed = true;
          this.wake();
        }
      }
    },

    wake() {
      const waiter = this.waiter;
      this.waiter = null;
      if (waiter) waiter();
    },

    wait(milliseconds) {
      return new Promise((resolve) => {
        const done = () => { clearTimeout(timer); resolve(); };
        const timer = setTimeout(() => { if (this.waiter === done) this.waiter = null; resolve(); },
          milliseconds);
        this.waiter = done;
      });
    },

    // A timed read as the desktop ports do it: until the buffer is full, interval ms after a
    // byte without another, or total ms after it began. Null when the stream failed.
    async read(capacity, interval, total) {
      const start = performance.now();
      const bytes = [];
      let last = null;
      let checkedLate = false;
      for (;;) {
        while (this.queue.length > 0 && bytes.length < capacity) {
          bytes.push(this.queue.shift());
          last = performance.now();
        }
        if (bytes.length >= capacity) break;
        if (this.failed || !this.reader) return null;
        let deadline = start + total;
        if (last !== null) deadline = Math.min(deadline, last + interval);
        const now = performance.now();
        if (now >= deadline) {
          // Bytes that arrived while the timer was due are taken before the read ends: a
          // busy page hears of them a little late, a driver's queue would hold them.
          if (!checkedLate) {
            checkedLate = true;
            await new Promise((resolve) => setTimeout(resolve, 0));
            continue;
          }
          break;
        }
        checkedLate = false;
        await this.wait(deadline - now);
      }
      return new Uint8Array(bytes);
    },

    async writeByte(byte, timeout) {
      if (!this.writer || this.failed) return -1;
      let timer;
      const timedOut = new Promise((resolve) => { timer = setTimeout(() => resolve(0), timeout); });
      try {
        return await Promise.race([this.writer.write(new Uint8Array([byte])).then(() => 1), timedOut]);
      } catch (error) {
        return -1;
      } finally {
        clearTimeout(timer);
      }
    },

    async close() {
      const { port, reader, writer } = this;
      if (!port) return 0;
      this.port = this.reader = this.writer = null;
      this.wake();
      try { await reader.cancel(); } catch (e) { /* already broken */ }
      reader.releaseLock();
      try { writer.releaseLock(); } catch (e) { /* already released */ }
      try {
        await port.close();
        return 1;
      } catch (error) {
        return this.failed ? 1 : 0;  // a port that went away has nothing left to close
      }
    },
  };

  // A tracker without hardware, for trying the page: korvalink-sim behind the WebSocket bridge
  // that scripts/run --web --sim starts, offered as a port when the page is opened with
  // ?sim=ws://... Each opening is one connection, at the speed it asks.
  class SimulatedPort {
    constructor(url) {
      this.url = url;
      this.socket = null;
      this.readable = null;
      this.writable = null;
    }

    getInfo() { return {}; }

    async open({ baudRate }) {
      const socket = new WebSocket(this.url + '/?baud=' + baudRate);
      socket.binaryType = 'arraybuffer';
      await new Promise((resolve, reject) => {
        socket.onopen = resolve;
        socket.onerror = () => reject(new DOMException('The simulator is not there.', 'NetworkError'));
      });
      this.socket = socket;
      this.readable = new ReadableStream({
        start: (controller) => {
          socket.onmessage = (event) => controller.enqueue(new Uint8Array(event.data));
          socket.onclose = () => { try { controller.error(new DOMException('Lost.', 'NetworkError')); } catch (e) { /* closed */ } };
        },
      });
      this.writable = new WritableStream({ write: (chunk) => socket.send(chunk) });
    }

    async close() {
      this.socket.onclose = null;
      this.socket.close();
      this.socket = this.readable = this.writable = null;
    }
  }

  // -- Files through the browser.
  function fileTypes(filter, suffix) {
    const description = filter.split('|')[0] || 'Files';
    return [{ description, accept: { 'application/octet-stream': ['.' + suffix] } }];
  }

  async function pickSave(path, name, suffix, filter) {
    if (window.showSaveFilePicker) {
      try {
        const handle = await window.showSaveFilePicker({ suggestedName: name, types: fileTypes(filter, suffix) });
        pendingSave = { path, handle };
        return 1;
      } catch (error) {
        return 0;  // the user closed the picker
      }
    }
    pendingSave = { path, name };
    return 1;
  }

  // After the handler: the file saved in memory goes to the file picked, only if it is whole.
  async function finishSave() {
    const save = pendingSave;
    pendingSave = null;
    if (!save) return;
    let bytes;
    try {
      bytes = Module.FS.readFile(save.path);
      Module.FS.unlink(save.path);
    } catch (error) {
      return;  // the save failed and has said why
    }
    if (!save.handle) {
      const link = document.createElement('a');
      link.href = URL.createObjectURL(new Blob([bytes], { type: 'application/octet-stream' }));
      link.download = save.name;
      link.click();
      setTimeout(() => URL.revokeObjectURL(link.href), 10000);
      return;
    }
    try {
      const writable = await save.handle.createWritable();
      await writable.write(bytes);
      await writable.close();
    } catch (error) {
      await box('Failed to write data', 'Save Failed', false, false, false);
    }
  }

  function chooseWithInput(suffix) {
    return new Promise((resolve) => {
      const input = document.createElement('input');
      input.type = 'file';
      input.accept = '.' + suffix;
      input.addEventListener('change', () => resolve(input.files[0] || null), { once: true });
      input.addEventListener('cancel', () => resolve(null), { once: true });
      input.click();
    });
  }

  async function pickOpen(path, suffix, filter) {
    let file = null;
    if (window.showOpenFilePicker) {
      try {
        const [handle] = await window.showOpenFilePicker({ types: fileTypes(filter, suffix) });
        file = await handle.getFile();
      } catch (error) {
        return 0;
      }
    } else {
      file = await chooseWithInput(suffix);
      if (!file) return 0;
    }
    // The loader reads the header and one image: a larger file needs no more of it in memory.
    const bytes = new Uint8Array(await file.slice(0, 1024).arrayBuffer());
    Module.FS.writeFile(path, bytes);
    return 1;
  }

  // -- The page's events.
  async function pressDevice(id) {
    if (!navigator.serial && !simPort) {
      await box(kNoSerialText, 'Error', false, false, false);
      return;
    }
    if ($('ctl' + kIdPortList).selectedIndex >= serial.ports.length) {
      let port;
      try {
        port = await navigator.serial.requestPort();
      } catch (error) {
        return;  // the user closed the chooser: their own choice, no message
      }
      await refreshPorts(port);
    }
    await enter('korvaset_click', [id]);
  }

  function onClick(event) {
    const target = event.target;
    const tab = target.closest('[role="tab"]');
    if (tab) {
      const index = Array.prototype.indexOf.call(tab.parentElement.children, tab);
      run(() => enter('korvaset_tab', [index]));
      return;
    }
    if (target.classList.contains('spin-arrow')) {
      const id = Number(target.parentElement.dataset.id);
      run(() => enter('korvaset_spin', [id, Number(target.dataset.delta)]));
      return;
    }
    if (target.tagName === 'INPUT' && target.type === 'checkbox') {
      run(() => enter('korvaset_click', [Number(target.id.slice(3))]));
      return;
    }
    const button = target.closest('button[data-id]');
    if (!button) return;
    const id = Number(button.dataset.id);
    if (id === kIdExit) exitPage();
    else if (id === kIdAbout) run(showAbout);
    else if (kDeviceButtons.has(id)) run(() => pressDevice(id));
    else run(() => enter('korvaset_click', [id]));
  }

  // -- The window menu: About and Check Configuration, by mouse, arrows or mnemonic.
  function showMenu(open) {
    $('window-menu').hidden = !open;
    $('menu-button').setAttribute('aria-expanded', String(open));
    if (open) $('window-menu').firstElementChild.focus();
  }

  function onMenuClick(event) {
    if (event.target.closest('#menu-button')) {
      showMenu($('window-menu').hidden);
      return;
    }
    const item = event.target.closest('[role="menuitem"]');
    if (!item) return;
    showMenu(false);
    $('menu-button').focus();
    run(item.dataset.command === 'about' ? showAbout : checkConfiguration);
  }

  function onMenuKey(event) {
    const items = [...$('window-menu').children];
    const at = items.indexOf(document.activeElement);
    const step = { ArrowDown: 1, ArrowUp: -1 }[event.key];
    if ((event.key === 'Escape' && !$('window-menu').hidden) || (event.key === 'Tab' && at >= 0)) {
      showMenu(false);
      $('menu-button').focus();
    } else if (event.target.id === 'menu-button') {
      if (step === undefined) return;
      showMenu(true);
    } else if (step !== undefined) {
      items[(at + step + items.length) % items.length].focus();
    } else {
      const item = items.find((candidate) => candidate.dataset.key === event.key.toLowerCase());
      if (!item) return;
      item.click();
    }
    // Escape in the menu closes the menu, not the page.
    event.preventDefault();
    event.stopPropagation();
  }

  function onKey(event) {
    if (busy || document.querySelector('dialog[open]')) return;
    const target = event.target;
    if (event.key === 'F7') {
      event.preventDefault();  // Chromium's caret browsing
      showMenu(false);
      run(checkConfiguration);
      return;
    }
    const tab = target.closest && target.closest('[role="tab"]');
    if (tab && (event.key === 'ArrowLeft' || event.key === 'ArrowRight')) {
      const other = event.key === 'ArrowLeft' ? tab.previousElementSibling : tab.nextElementSibling;
      if (other) { other.focus(); other.click(); }
      event.preventDefault();
      return;
    }
    // Escape, and Enter anywhere but on a push button (the default button, Exit), end it.
    if (event.key === 'Escape' || (event.key === 'Enter' && target.tagName !== 'BUTTON' &&
        target.tagName !== 'SELECT')) {
      event.preventDefault();
      exitPage();
    }
  }

  function start() {
    $('message').addEventListener('cancel', () => {});
    $('about').addEventListener('click', (event) => {
      if (event.target.id === 'about-ctl1') $('about').close();
    });
    for (const type of ['click', 'mousedown', 'keydown', 'keypress', 'input', 'change']) {
      window.addEventListener(type, blockWhileBusy, true);
    }
    $('dialog').addEventListener('click', onClick);
    $('menu-bar').addEventListener('click', onMenuClick);
    $('menu-bar').addEventListener('keydown', onMenuKey);
    document.addEventListener('click', (event) => {
      if (!event.target.closest('#menu-bar')) showMenu(false);
    });
    document.addEventListener('keydown', onKey);
    window.addEventListener('beforeunload', (event) => {
      if (Module.korvasetHolding) { event.preventDefault(); event.returnValue = ''; }
    });
    if (navigator.serial) {
      navigator.serial.addEventListener('connect', onPortsChanged);
      navigator.serial.addEventListener('disconnect', onPortsChanged);
    }
    if ('serviceWorker' in navigator && location.protocol !== 'file:') {
      navigator.serviceWorker.register('service-worker.js').catch(() => {});
    }
  }

  Module.korvasetBox = box;
  Module.korvasetSerial = serial;
  Module.korvasetPickSave = pickSave;
  Module.korvasetPickOpen = pickOpen;
  Module.onRuntimeInitialized = async () => {
    const sim = new URLSearchParams(location.search).get('sim');
    if (sim) simPort = new SimulatedPort(sim);
    const [width, height] = fontMetrics();
    Module.ccall('korvaset_start', null, ['number', 'number'], [width, height]);
    await refreshPorts();
    start();
  };
})();
