// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
// In the page, a write is guarded by a prompt before the page is left (beforeunload); the
// glue asks Module.korvasetHolding. Nothing else can end the program.
#include <emscripten.h>

#include "platform/interrupt_hold.h"

namespace korvaset {

namespace {

int g_holds = 0;

EM_JS(void, SetPageHolding, (int holding), { Module.korvasetHolding = holding != 0; });

}  // namespace

InterruptHold::InterruptHold() {
  if (g_holds++ == 0) SetPageHolding(1);
}

InterruptHold::~InterruptHold() {
  if (--g_holds == 0) SetPageHolding(0);
}

std::optional<int> InterruptHold::HeldEndRequest() {
  return std::nullopt;
}

bool InterruptHold::Holding() {
  return g_holds > 0;
}

}  // namespace korvaset
