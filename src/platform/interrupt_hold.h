// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <optional>
#include <string_view>

namespace korvaset {

// What a held request is told, once; a window also gives it as the reason a shutdown waits.
inline constexpr std::string_view kInterruptHoldNotice =
    "Finishing the write; the tracker would be left half-written";

// Holds back the requests to end the program while it lives, so that what it guards runs
// to its end: SIGINT, SIGTERM and SIGHUP on POSIX (a signal that was ignored stays
// ignored), a console's Ctrl-C, Ctrl-Break, close, logoff and shutdown events on Windows.
// A tracker left with part of an image takes the next command's bytes as the rest, so an
// image write must never be cut in half.
//
// The first request prints "Finishing the write; the tracker would be left half-written"
// once on stderr; later ones are swallowed. When the hold ends, a held POSIX signal whose
// earlier disposition was a handler of the program's own (the window's) is raised again
// for that handler. Otherwise the program asks HeldEndRequest, reports its result and
// then ends with that status.
//
// One hold at a time per program; a hold inside another changes nothing.
class InterruptHold {
 public:
  InterruptHold();
  ~InterruptHold();
  InterruptHold(const InterruptHold&) = delete;
  InterruptHold& operator=(const InterruptHold&) = delete;

  // Whether an end was requested during the latest hold, as the exit status it asks for:
  // 128 + the signal's number on POSIX (130 for Ctrl-C, 143 for SIGTERM, 129 for SIGHUP);
  // on Windows 130 for Ctrl-C and Ctrl-Break, 143 for a close, logoff or shutdown. Nothing
  // when none came. A window that learns of its end otherwise (WM_ENDSESSION) asks here
  // after an operation whether it should close.
  static std::optional<int> HeldEndRequest();

  // Whether a hold is in force now. A window asked whether the session may end
  // (WM_QUERYENDSESSION, from a message box shown during the write) answers not yet.
  static bool Holding();
};

}  // namespace korvaset
