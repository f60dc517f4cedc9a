#pragma once

#include <cstdio>
#include <memory>

#include "platform/serial_port.h"

namespace korvaset {

// Passes every call to another port and, while an image write goes out (the bytes of one
// opening begin with ESC 'D'), counts its bytes on a terminal line: the write takes over a
// second and would otherwise look like a hang.
class WriteProgressPort final : public SerialPort {
 public:
  WriteProgressPort(std::unique_ptr<SerialPort> inner, int totalBytes, std::FILE* terminal);

  bool Open(std::string_view comName) override;
  bool ReadSettings() override { return inner_->ReadSettings(); }
  bool ApplySettings(int baudRate) override { return inner_->ApplySettings(baudRate); }
  bool ApplyTimeouts(const PortTimeouts& timeouts) override {
    return inner_->ApplyTimeouts(timeouts);
  }
  std::optional<int> Read(std::span<std::uint8_t> buffer) override { return inner_->Read(buffer); }
  std::optional<int> WriteByte(std::uint8_t byte) override;
  bool Close() override;
  bool IsOpen() const override { return inner_->IsOpen(); }
  void Pause(int milliseconds) override { inner_->Pause(milliseconds); }
  std::string LastError() const override { return inner_->LastError(); }

 private:
  void EndLine();

  std::unique_ptr<SerialPort> inner_;
  int totalBytes_;
  std::FILE* terminal_;
  int written_ = 0;
  std::uint8_t first_ = 0;
  bool showing_ = false;
};

}  // namespace korvaset
