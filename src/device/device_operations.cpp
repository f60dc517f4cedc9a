// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "device/device_operations.h"

#include <string>

#include "platform/message_box.h"

namespace korvaset {

bool HoldsEmergencyMessage(const ConfigRecord& record) {
  return record.micEMessage[0] == kEmergencyMessage || record.micEMessage[1] == kEmergencyMessage;
}

bool ConfirmEmergencyWrite() {
  return ShowMessage({.text = "You are about to configure your Korvalink with the ability to "
                              "send an EMERGENCY MIC-E beacon.  Are you sure you want to do this?",
                      .caption = std::string(kWriteCaption),
                      .buttons = MessageButtons::kOkCancel,
                      .defaultButton = MessageAnswer::kCancel}) == MessageAnswer::kOk;
}

}  // namespace korvaset
