// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "platform/comm_settings_win32.h"

#include <gtest/gtest.h>

#include <cstring>

namespace korvaset {
namespace {

// Whatever the driver reported, the line is 8N1 without flow control and with DTR and RTS
// on; the flags the link doesn't set keep the driver's value.
TEST(CommSettingsTest, LineSettingsOverWhatTheDriverReported) {
  for (const unsigned char fill : {0x00, 0xFF}) {
    SCOPED_TRACE(fill);
    DCB dcb;
    std::memset(&dcb, fill, sizeof dcb);
    const DCB before = dcb;
    SetLineSettings(dcb, 9600);
    EXPECT_EQ(dcb.BaudRate, 9600u);
    EXPECT_EQ(dcb.ByteSize, 8);
    EXPECT_EQ(dcb.Parity, NOPARITY);
    EXPECT_EQ(dcb.StopBits, ONESTOPBIT);
    EXPECT_EQ(dcb.fOutxCtsFlow, 0u);
    EXPECT_EQ(dcb.fOutxDsrFlow, 0u);
    EXPECT_EQ(dcb.fDtrControl, static_cast<DWORD>(DTR_CONTROL_ENABLE));
    EXPECT_EQ(dcb.fDsrSensitivity, 0u);
    EXPECT_EQ(dcb.fOutX, 0u);
    EXPECT_EQ(dcb.fInX, 0u);
    EXPECT_EQ(dcb.fRtsControl, static_cast<DWORD>(RTS_CONTROL_ENABLE));
    // Kept as reported.
    EXPECT_EQ(dcb.fBinary, before.fBinary);
    EXPECT_EQ(dcb.fParity, before.fParity);
    EXPECT_EQ(dcb.fTXContinueOnXoff, before.fTXContinueOnXoff);
    EXPECT_EQ(dcb.fErrorChar, before.fErrorChar);
    EXPECT_EQ(dcb.fNull, before.fNull);
    EXPECT_EQ(dcb.fAbortOnError, before.fAbortOnError);
    EXPECT_EQ(dcb.XonLim, before.XonLim);
    EXPECT_EQ(dcb.XonChar, before.XonChar);
  }
}

TEST(CommSettingsTest, TimeoutsInMilliseconds) {
  const COMMTIMEOUTS t = MakeCommTimeouts(PortTimeouts{});
  EXPECT_EQ(t.ReadIntervalTimeout, 50u);
  EXPECT_EQ(t.ReadTotalTimeoutMultiplier, 3u);
  EXPECT_EQ(t.ReadTotalTimeoutConstant, 100u);
  EXPECT_EQ(t.WriteTotalTimeoutMultiplier, 2u);
  EXPECT_EQ(t.WriteTotalTimeoutConstant, 300u);
}

}  // namespace
}  // namespace korvaset
