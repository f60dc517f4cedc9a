// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "cli/write_progress_port.h"

namespace korvaset {

WriteProgressPort::WriteProgressPort(std::unique_ptr<SerialPort> inner, int totalBytes,
                                     std::FILE* terminal)
    : ForwardingSerialPort(std::move(inner)), totalBytes_(totalBytes), terminal_(terminal) {}

bool WriteProgressPort::Open(std::string_view comName) {
  EndLine();
  written_ = 0;
  return Inner().Open(comName);
}

std::optional<int> WriteProgressPort::WriteByte(std::uint8_t byte) {
  const std::optional<int> taken = Inner().WriteByte(byte);
  ++written_;
  if (written_ == 1) first_ = byte;
  if (written_ == 2 && first_ == 0x1B && byte == 'D') showing_ = true;
  if (showing_) {
    std::fprintf(terminal_, "\rWriting to the tracker: %d of %d bytes", written_, totalBytes_);
    std::fflush(terminal_);
  }
  return taken;
}

bool WriteProgressPort::Close() {
  EndLine();
  return Inner().Close();
}

void WriteProgressPort::EndLine() {
  if (!showing_) return;
  std::fputc('\n', terminal_);
  std::fflush(terminal_);
  showing_ = false;
}

}  // namespace korvaset
