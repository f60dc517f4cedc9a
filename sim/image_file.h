// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <string>

#include "tracker.h"

namespace korvaset {

// Reads the device image out of a configuration file, byte for byte, so the tracker starts
// with exactly what the file holds. Throws std::runtime_error saying why it can't.
DeviceImage ReadImageFromConfigFile(const std::string& path);

// Stores an image as a configuration file, replacing path in one step (a reader never sees
// half a file). Throws std::system_error when it can't.
void WriteImageAsConfigFile(const std::string& path, const DeviceImage& image);

// The image of the default configuration.
DeviceImage DefaultImage();

}  // namespace korvaset
