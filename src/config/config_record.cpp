// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "config/config_record.h"

#include "config/fixed_text.h"

namespace korvaset {

int Clamp(int value, int lo, int hi) {
  if (value < lo) value = lo;
  if (value > hi) value = hi;
  return value;
}

ConfigRecord::ConfigRecord() {
  for (int p = 0; p < kProfileCount; ++p) {
    CopyCut(callsign[p], "NOCALL");
    CopyCut(digiPath[p], "WIDE1-1,WIDE2-1");
    CopyCut(statusText[p], "Korvalink");
  }
}

void ConfigRecord::SetCallsign(std::string_view text) {
  CopyCut(callsign[visibleProfile], text);
}

void ConfigRecord::SetDigiPath(std::string_view text) {
  CopyCut(digiPath[visibleProfile], text);
}

void ConfigRecord::SetStatusText(std::string_view text) {
  CopyCut(statusText[visibleProfile], text);
}

}  // namespace korvaset
