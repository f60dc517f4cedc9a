// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <windows.h>

namespace korvaset {

// Runs the About box over owner until it closes: the application icon, the version and
// copyright texts and OK, from the About box's layout table.
void RunAboutBox(HWND owner);

}  // namespace korvaset
