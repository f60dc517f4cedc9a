// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include "platform/message_box.h"

namespace korvaset {

// Shows every report in a QMessageBox of its own, owned by no window.
class QtMessageBoxes final : public MessageBoxes {
 public:
  MessageAnswer Show(const Message& message) override;
};

}  // namespace korvaset
