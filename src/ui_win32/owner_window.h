// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <windows.h>

#include <functional>

namespace korvaset {

// The window that a dialog or message box is shown over, asked for each time it is shown:
// the program's window exists only while it runs.
using OwnerWindow = std::function<HWND()>;

}  // namespace korvaset
