// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <cstdio>
#include <memory>

#include "platform/forwarding_serial_port.h"

namespace korvaset {

// Passes every call to another port and, while an image write goes out (the bytes of one
// opening begin with ESC 'D'), counts its bytes on a terminal line: the write takes over a
// second and would otherwise look like a hang.
class WriteProgressPort final : public ForwardingSerialPort {
 public:
  WriteProgressPort(std::unique_ptr<SerialPort> inner, int totalBytes, std::FILE* terminal);

  bool Open(std::string_view comName) override;
  std::optional<int> WriteByte(std::uint8_t byte) override;
  bool Close() override;

 private:
  void EndLine();

  int totalBytes_;
  std::FILE* terminal_;
  int written_ = 0;
  std::uint8_t first_ = 0;
  bool showing_ = false;
};

}  // namespace korvaset
