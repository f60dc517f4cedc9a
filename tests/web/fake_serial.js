// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
// A stand-in for navigator.serial that the tests put into the page before it loads. It has
// one port, already granted, whose bytes travel over a WebSocket to the bridge and so to
// korvalink-sim. Options: silent (nothing answers), unplugAfter (the port goes away after
// that many bytes came in), noSerial (a browser without Web Serial).
'use strict';

function installFakeSerial(bridgeUrl, options) {
  if (options.noSerial) {
    delete Navigator.prototype.serial;
    return;
  }
  const serial = new EventTarget();
  const log = { opens: [], received: 0 };

  class FakePort extends EventTarget {
    constructor() {
      super();
      this.readable = null;
      this.writable = null;
      this.socket = null;
      this.gone = false;
    }

    getInfo() {
      return { usbVendorId: 0x0403, usbProductId: 0x6001 };
    }

    async open({ baudRate }) {
      if (this.gone) throw new DOMException('The device has been lost.', 'NetworkError');
      if (this.readable) throw new DOMException('The port is already open.', 'InvalidStateError');
      log.opens.push(baudRate);
      let controller;
      this.readable = new ReadableStream({ start: (c) => { controller = c; } });
      this.controller = controller;
      if (!options.silent) {
        const socket = new WebSocket(bridgeUrl + '/?baud=' + baudRate);
        socket.binaryType = 'arraybuffer';
        await new Promise((resolve, reject) => {
          socket.onopen = resolve;
          socket.onerror = () => reject(new DOMException('Failed to open serial port.', 'NetworkError'));
        });
        socket.onmessage = (event) => {
          const bytes = new Uint8Array(event.data);
          log.received += bytes.length;
          try { controller.enqueue(bytes); } catch (e) { /* closed */ }
          if (options.unplugAfter && log.received >= options.unplugAfter) this.unplug();
        };
        this.socket = socket;
      }
      this.writable = new WritableStream({
        write: (chunk) => {
          if (this.gone) throw new DOMException('The device has been lost.', 'NetworkError');
          if (this.socket) this.socket.send(chunk);
        },
      });
    }

    async close() {
      if (this.socket) this.socket.close();
      this.socket = null;
      try { this.controller.close(); } catch (e) { /* errored */ }
      this.readable = null;
      this.writable = null;
    }

    unplug() {
      this.gone = true;
      if (this.socket) this.socket.close();
      this.socket = null;
      try { this.controller.error(new DOMException('The device has been lost.', 'NetworkError')); } catch (e) { /* closed */ }
      const event = new Event('disconnect', { bubbles: true });
      this.dispatchEvent(event);
      serial.dispatchEvent(new Event('disconnect'));
    }
  }

  const port = new FakePort();
  serial.getPorts = async () => (port.gone ? [] : [port]);
  serial.requestPort = async () => {
    if (options.chooserCancelled) throw new DOMException('No port selected by the user.', 'NotFoundError');
    return port;
  };
  Object.defineProperty(Navigator.prototype, 'serial', { get: () => serial, configurable: true });
  window.fakeSerialLog = log;
}

// Stand-ins for the file pickers: a save records what was written under its suggested name
// in window.savedFiles; an open hands over window.fileToOpen ({name, bytes}).
function installFakePickers() {
  window.savedFiles = {};
  window.showSaveFilePicker = async ({ suggestedName }) => ({
    name: suggestedName,
    createWritable: async () => {
      const parts = [];
      return {
        write: async (data) => { parts.push(...new Uint8Array(data)); },
        close: async () => { window.savedFiles[suggestedName] = parts; },
      };
    },
  });
  window.showOpenFilePicker = async () => {
    const file = window.fileToOpen;
    return [{ getFile: async () => new File([new Uint8Array(file.bytes)], file.name) }];
  };
}

module.exports = { installFakeSerial, installFakePickers };
