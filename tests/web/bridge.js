// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
// Relays a WebSocket to korvalink-sim's pseudo-terminal: each connection is one opening of
// the port, at the speed that its URL asks (?baud=4800), so that the simulator sees the
// line speed the page chose. Run alone: node bridge.js SLAVE_PATH PORT
'use strict';

const { execFileSync } = require('child_process');
const fs = require('fs');
const tty = require('tty');
const { WebSocketServer } = require('ws');

function startBridge(slavePath, port = 0) {
  const server = new WebSocketServer({ host: '127.0.0.1', port });
  server.on('connection', (socket, request) => {
    const baud = new URL(request.url, 'ws://localhost').searchParams.get('baud') || '4800';
    execFileSync('stty', ['-F', slavePath, baud, 'raw', '-echo']);
    const input = new tty.ReadStream(fs.openSync(slavePath, fs.constants.O_RDWR | fs.constants.O_NOCTTY));
    const output = new tty.WriteStream(fs.openSync(slavePath, fs.constants.O_RDWR | fs.constants.O_NOCTTY));
    input.on('data', (bytes) => socket.send(bytes));
    input.on('error', () => socket.close());
    socket.on('message', (bytes) => output.write(bytes));
    socket.on('close', () => {
      input.destroy();
      output.destroy();
    });
  });
  return new Promise((resolve) => server.on('listening', () => resolve({
    url: 'ws://127.0.0.1:' + server.address().port,
    close: () => new Promise((done) => {
      for (const client of server.clients) client.terminate();
      server.close(done);
    }),
  })));
}

module.exports = { startBridge };

if (require.main === module) {
  startBridge(process.argv[2], Number(process.argv[3] || 8081)).then((bridge) => {
    console.log(bridge.url);
  });
}
