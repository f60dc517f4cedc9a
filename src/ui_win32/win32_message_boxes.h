// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include "platform/message_box.h"
#include "ui_win32/owner_window.h"

namespace korvaset {

// Reports in MessageBoxW over the program's window.
class Win32MessageBoxes final : public MessageBoxes {
 public:
  explicit Win32MessageBoxes(OwnerWindow owner = {}) : owner_(std::move(owner)) {}
  MessageAnswer Show(const Message& message) override;

 private:
  OwnerWindow owner_;
};

}  // namespace korvaset
