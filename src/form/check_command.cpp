// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
// Check Configuration: the configuration as the form shows it, against APRS practice.
#include "config/config_check.h"
#include "config/latin1_text.h"
#include "form/config_form.h"
#include "platform/message_box.h"
#include "resources/window_strings.h"

namespace korvaset {

void ConfigForm::OnCheckConfiguration() {
  // A scratch copy: Write Config and Save store the items into the record themselves, and
  // the record must not change before they do.
  ConfigRecord scratch = record_;
  CopyFormTo(scratch);
  // The findings quote the record's Latin-1 text; the message boxes take UTF-8.
  ShowInfo(Latin1ToUtf8(CheckReportForWindow(scratch)), kCheckCaption);
}

}  // namespace korvaset
