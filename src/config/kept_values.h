// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <string>

#include "config/config_record.h"
#include "config/record_fields.h"

namespace korvaset {

// How the tracker keeps a value that the record holds, once it is encoded and read back.
enum class Keeping {
  kExactly,  // as written; an address up to letter case and blanks
  kRounded,  // a time within its range, moved to the nearest of the tracker's steps
  kChanged,  // wrapped, clamped, cut or replaced
};

struct KeptValue {
  Keeping keeping;
  std::string value;  // what the tracker keeps, as FormatField writes it
  std::string range;  // what the field keeps, for messages: "0 to 255", "0 to 1700 ms"
};

// What the tracker keeps of the field's value in the given profile (ignored for shared
// fields). A TX delay's steps follow the profile's baud300 and slotOffset is stored against
// autoTxRate, so these depend on the record's other values. A status text is taken as kept:
// the room it gets is the encoder's to say. slotOffset and the derived slotDivides60 and
// slotDivides600 are kept as they are while the image doesn't carry them.
KeptValue KeptFieldValue(const ConfigRecord& record, const RecordField& field, int profile);

}  // namespace korvaset
