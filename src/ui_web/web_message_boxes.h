// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include "platform/message_box.h"

namespace korvaset {

// Message boxes as modal <dialog> elements of the page (the glue's korvasetBox), awaited
// through ASYNCIFY: the operation that asks goes on with the user's answer.
class WebMessageBoxes final : public MessageBoxes {
 public:
  MessageAnswer Show(const Message& message) override;
};

}  // namespace korvaset
