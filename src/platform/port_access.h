// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <string>

namespace korvaset {

// Explains why this user may not open a serial device, for the command line: the device's
// owner, group and mode and the group to join, e.g. "/dev/ttyUSB0 belongs to group dialout:
// add yourself with sudo usermod -aG dialout $USER, then log in again". Empty when there is
// nothing to explain (the device is missing, or its mode lets this user in).
std::string ExplainPortAccess(const std::string& path);

}  // namespace korvaset
