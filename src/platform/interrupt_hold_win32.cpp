// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include <windows.h>

#include <io.h>

#include <atomic>
#include <cstdio>

#include "platform/interrupt_hold.h"

namespace korvaset {

namespace {

// The statuses a POSIX shell reports for SIGINT and SIGTERM.
constexpr int kInterruptStatus = 130;
constexpr int kEndStatus = 143;

// Console events arrive on a thread of their own.
std::atomic<int> g_heldStatus{0};
std::atomic<bool> g_noticeOnNewLine{false};
int g_depth = 0;
// Manual-reset event, set whenever no hold is in force.
HANDLE g_holdOver = nullptr;

BOOL WINAPI OnConsoleEvent(DWORD event) {
  int status = 0;
  switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
      status = kInterruptStatus;
      break;
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
      status = kEndStatus;
      break;
    default:
      return FALSE;
  }
  int none = 0;
  if (g_heldStatus.compare_exchange_strong(none, status)) {
    if (g_noticeOnNewLine) std::fputc('\n', stderr);
    std::fprintf(stderr, "%.*s\n", static_cast<int>(kInterruptHoldNotice.size()),
                 kInterruptHoldNotice.data());
    std::fflush(stderr);
  }
  if (status == kInterruptStatus) return TRUE;  // handled: the program goes on
  // The system ends the process as soon as this returns. Wait for the write to end; the
  // program then reports and exits, which ends this thread with it. The system's own time
  // limit for these events still applies.
  if (g_holdOver != nullptr) WaitForSingleObject(g_holdOver, INFINITE);
  Sleep(INFINITE);
  return TRUE;
}

}  // namespace

InterruptHold::InterruptHold() {
  if (g_depth++ > 0) return;
  g_heldStatus = 0;
  // On a console a progress line may be showing: the notice then starts a line of its own.
  g_noticeOnNewLine = _isatty(_fileno(stderr)) != 0;
  if (g_holdOver == nullptr) {
    g_holdOver = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  } else {
    ResetEvent(g_holdOver);
  }
  SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

InterruptHold::~InterruptHold() {
  if (--g_depth > 0) return;
  SetConsoleCtrlHandler(OnConsoleEvent, FALSE);
  if (g_holdOver != nullptr) SetEvent(g_holdOver);
}

std::optional<int> InterruptHold::HeldEndRequest() {
  const int held = g_heldStatus;
  if (held == 0) return std::nullopt;
  return held;
}

bool InterruptHold::Holding() {
  return g_depth > 0;
}

}  // namespace korvaset
