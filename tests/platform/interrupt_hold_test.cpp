// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
// The hold over real signals, raised in this process.
#include "platform/interrupt_hold.h"

#include <signal.h>

#include <gtest/gtest.h>

namespace korvaset {
namespace {

const std::string kNotice = "Finishing the write; the tracker would be left half-written\n";

volatile sig_atomic_t g_handled = 0;

// The disposition of a signal now, for comparing before and after a hold.
void (*Disposition(int signal))(int) {
  struct sigaction action {};
  sigaction(signal, nullptr, &action);
  return action.sa_handler;
}

TEST(InterruptHoldTest, HoldsTheFirstRequestSaysSoOnceAndPutsTheDefaultsBack) {
  ASSERT_EQ(Disposition(SIGINT), SIG_DFL);
  ::testing::internal::CaptureStderr();
  {
    const InterruptHold hold;
    EXPECT_TRUE(InterruptHold::Holding());
    raise(SIGINT);  // would end this test program without the hold
    raise(SIGTERM);
    raise(SIGINT);
  }
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), kNotice);
  EXPECT_EQ(InterruptHold::HeldEndRequest(), 128 + SIGINT);
  EXPECT_FALSE(InterruptHold::Holding());
  EXPECT_EQ(Disposition(SIGINT), SIG_DFL);
  EXPECT_EQ(Disposition(SIGTERM), SIG_DFL);

  const InterruptHold next;  // each hold starts with nothing held
  EXPECT_EQ(InterruptHold::HeldEndRequest(), std::nullopt);
}

TEST(InterruptHoldTest, HandsTheSignalToTheProgramsOwnHandlerAfterwardsAndIgnoresTheIgnored) {
  struct sigaction own {};
  own.sa_handler = [](int) { g_handled = g_handled + 1; };
  sigemptyset(&own.sa_mask);
  struct sigaction previousTerm {};
  struct sigaction previousHup {};
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  ASSERT_EQ(sigaction(SIGTERM, &own, &previousTerm), 0);
  ASSERT_EQ(sigaction(SIGHUP, &ignore, &previousHup), 0);
  ::testing::internal::CaptureStderr();
  {
    const InterruptHold hold;
    raise(SIGHUP);  // ignored before: nothing to hold
    EXPECT_EQ(InterruptHold::HeldEndRequest(), std::nullopt);
    raise(SIGTERM);
    EXPECT_EQ(g_handled, 0);
  }
  EXPECT_EQ(g_handled, 1);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), kNotice);
  EXPECT_EQ(InterruptHold::HeldEndRequest(), 128 + SIGTERM);
  EXPECT_EQ(Disposition(SIGHUP), SIG_IGN);
  sigaction(SIGTERM, &previousTerm, nullptr);
  sigaction(SIGHUP, &previousHup, nullptr);
}

}  // namespace
}  // namespace korvaset
