// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

namespace korvaset {

// The normal cursor for as long as a message box waits for the user, also in the middle
// of a device operation that shows the busy cursor; nothing changes when no busy cursor is
// showing.
class NormalCursorWhileAsking {
 public:
  NormalCursorWhileAsking();
  ~NormalCursorWhileAsking();
  NormalCursorWhileAsking(const NormalCursorWhileAsking&) = delete;
  NormalCursorWhileAsking& operator=(const NormalCursorWhileAsking&) = delete;

 private:
  bool pushed_ = false;
};

}  // namespace korvaset
