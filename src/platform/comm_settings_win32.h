// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstring>

#include "platform/serial_port.h"

namespace korvaset {

// The DCB's bit fields (fBinary .. fAbortOnError and the reserved bits) share the one
// DWORD that follows BaudRate.
inline constexpr std::size_t kDcbFlagWordOffset = offsetof(DCB, BaudRate) + sizeof(DWORD);
static_assert(offsetof(DCB, wReserved) == kDcbFlagWordOffset + sizeof(DWORD));

// Clears fOutxCtsFlow, fOutxDsrFlow, fDtrControl, fDsrSensitivity, fOutX, fInX and the
// high bit of fRtsControl; then sets DTR_CONTROL_ENABLE and RTS_CONTROL_ENABLE.
inline constexpr DWORD kDcbFlagsKept = 0xFFFFDC93;
inline constexpr DWORD kDcbFlagsSet = 0x1010;

// Sets, in settings read from the driver, the speed, 8 data bits, no parity, one stop bit,
// no flow control, and DTR and RTS on; every other setting keeps the driver's value.
inline void SetLineSettings(DCB& dcb, int baudRate) {
  dcb.BaudRate = static_cast<DWORD>(baudRate);
  dcb.ByteSize = 8;
  dcb.Parity = NOPARITY;
  dcb.StopBits = ONESTOPBIT;
  DWORD flags = 0;
  std::memcpy(&flags, reinterpret_cast<const char*>(&dcb) + kDcbFlagWordOffset, sizeof flags);
  flags = (flags & kDcbFlagsKept) | kDcbFlagsSet;
  std::memcpy(reinterpret_cast<char*>(&dcb) + kDcbFlagWordOffset, &flags, sizeof flags);
}

inline COMMTIMEOUTS MakeCommTimeouts(const PortTimeouts& timeouts) {
  COMMTIMEOUTS t{};
  t.ReadIntervalTimeout = static_cast<DWORD>(timeouts.readInterval);
  t.ReadTotalTimeoutMultiplier = static_cast<DWORD>(timeouts.readTotalMultiplier);
  t.ReadTotalTimeoutConstant = static_cast<DWORD>(timeouts.readTotalConstant);
  t.WriteTotalTimeoutMultiplier = static_cast<DWORD>(timeouts.writeTotalMultiplier);
  t.WriteTotalTimeoutConstant = static_cast<DWORD>(timeouts.writeTotalConstant);
  return t;
}

}  // namespace korvaset
