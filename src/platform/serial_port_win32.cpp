// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include <windows.h>

#include <cstddef>
#include <cstring>
#include <optional>
#include <utility>

#include "platform/com_names.h"
#include "platform/comm_settings_win32.h"
#include "platform/pause.h"
#include "platform/serial_port.h"

namespace korvaset {

namespace {

std::string SystemMessage(DWORD error) {
  char text[256] = {};
  const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                      nullptr, error, 0, text, sizeof text, nullptr);
  std::string message(text, length);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                              message.back() == ' ' || message.back() == '.')) {
    message.pop_back();
  }
  if (message.empty()) message = "error " + std::to_string(error);
  return message;
}

// Owns one handle.
class Handle {
 public:
  Handle() = default;
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() {
    if (Valid()) CloseHandle(handle_);
  }
  HANDLE Get() const { return handle_; }
  bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  void Set(HANDLE handle) { handle_ = handle; }
  HANDLE Release() { return std::exchange(handle_, INVALID_HANDLE_VALUE); }

 private:
  HANDLE handle_ = INVALID_HANDLE_VALUE;
};

// The settings and time-outs a port had when we opened it, put back before we close it, so
// that a port is left as it was found.
class FoundSettings {
 public:
  void Read(HANDLE handle) {
    DCB dcb{};
    dcb.DCBlength = sizeof(DCB);
    if (GetCommState(handle, &dcb)) dcb_ = dcb;
    COMMTIMEOUTS timeouts{};
    if (GetCommTimeouts(handle, &timeouts)) timeouts_ = timeouts;
  }
  void Restore(HANDLE handle) {
    if (dcb_) SetCommState(handle, &*dcb_);
    if (timeouts_) SetCommTimeouts(handle, &*timeouts_);
    dcb_.reset();
    timeouts_.reset();
  }

 private:
  std::optional<DCB> dcb_;
  std::optional<COMMTIMEOUTS> timeouts_;
};

class Win32SerialPort final : public SerialPort {
 public:
  explicit Win32SerialPort(std::string devicePath) : devicePath_(std::move(devicePath)) {}
  // A port still open when the program lets go of it is put back as well.
  ~Win32SerialPort() override {
    if (handle_.Valid()) found_.Restore(handle_.Get());
  }
  Win32SerialPort(const Win32SerialPort&) = delete;
  Win32SerialPort& operator=(const Win32SerialPort&) = delete;

  bool Open(std::string_view comName) override {
    // A handle that won't close is let go, not kept: whatever follows, it is not our port.
    if (handle_.Valid() && !Close()) handle_.Release();
    std::string path = devicePath_;
    if (path.empty()) {
      const std::optional<ResolvedComName> resolved = ResolveComName(comName);
      if (!resolved) {
        lastError_ = "no port name";
        return false;
      }
      path = resolved->path;
    }
    path_ = path;
    HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return Fail("opening");
    handle_.Set(handle);
    found_.Read(handle);
    // 10 ms pauses must last 10 ms while the port is in use, not a 15.6 ms tick.
    fineTimer_.emplace();
    return true;
  }

  bool ReadSettings() override {
    dcb_ = DCB{};
    dcb_.DCBlength = sizeof(DCB);
    if (!GetCommState(handle_.Get(), &dcb_)) return Fail("GetCommState");
    return true;
  }

  bool ApplySettings(int baudRate) override {
    SetLineSettings(dcb_, baudRate);
    if (!SetCommState(handle_.Get(), &dcb_)) return Fail("SetCommState");
    return true;
  }

  bool ApplyTimeouts(const PortTimeouts& timeouts) override {
    COMMTIMEOUTS t = MakeCommTimeouts(timeouts);
    if (!SetCommTimeouts(handle_.Get(), &t)) return Fail("SetCommTimeouts");
    return true;
  }

  std::optional<int> Read(std::span<std::uint8_t> buffer) override {
    DWORD got = 0;
    if (!ReadFile(handle_.Get(), buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr)) {
      Fail("ReadFile");
      return std::nullopt;
    }
    return static_cast<int>(got);
  }

  std::optional<int> WriteByte(std::uint8_t byte) override {
    DWORD written = 0;
    if (!WriteFile(handle_.Get(), &byte, 1, &written, nullptr)) {
      Fail("WriteFile");
      return std::nullopt;
    }
    return static_cast<int>(written);
  }

  bool Close() override {
    found_.Restore(handle_.Get());
    if (!CloseHandle(handle_.Get())) return Fail("CloseHandle");
    handle_.Release();
    fineTimer_.reset();
    return true;
  }

  bool IsOpen() const override { return handle_.Valid(); }

  void Pause(int milliseconds) override {
    // The pause between a write and its read-back falls while the port is closed.
    std::optional<FineTimerScope> fine;
    if (!fineTimer_) fine.emplace();
    PauseMilliseconds(milliseconds);
  }

  std::string LastError() const override { return lastError_; }

 private:
  bool Fail(const char* call) {
    lastError_ = path_ + ": " + call + ": " + SystemMessage(GetLastError());
    return false;
  }

  std::string devicePath_;
  std::string path_;
  Handle handle_;
  FoundSettings found_;
  DCB dcb_{};
  std::optional<FineTimerScope> fineTimer_;
  std::string lastError_;
};

}  // namespace

std::unique_ptr<SerialPort> MakePlatformSerialPort(std::string devicePath) {
  return std::make_unique<Win32SerialPort>(std::move(devicePath));
}

}  // namespace korvaset
