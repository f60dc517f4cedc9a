// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
// Resource ids of korvaset.exe, for the code and for korvaset.rc.
#pragma once

#define IDI_KORVASET 128
