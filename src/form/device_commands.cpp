// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
// The buttons that talk to the tracker. Each runs to its end inside the button press, with
// the busy cursor showing, and reports its outcome in a message box.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "config/config_record.h"
#include "config/fixed_text.h"
#include "config/latin1_text.h"
#include "device/device_operations.h"
#include "form/config_form.h"
#include "form/dialog_items.h"
#include "form/form_text.h"
#include "platform/message_box.h"
#include "resources/control_ids.h"

namespace korvaset {

namespace {

// The tracker's bytes are Latin-1; the message boxes take UTF-8.
std::string BannerText(const BannerBuffer& banner) {
  return Latin1ToUtf8(TextOf(banner));
}

}  // namespace

void ConfigForm::UpdatePortFromList() {
  // The entry that the field shows, not the one last picked from the list: typed text that
  // names no entry leaves no port selected, which Open refuses.
  link_.SetPortNumber(SelectedEntry(kIdPortList) + 1);
}

void ConfigForm::OnReadVersion() {
  const WaitCursorScope busy(items_);
  UpdatePortFromList();
  BannerBuffer banner{};
  if (!link_.FindDevice(banner)) ShowInfo(BannerText(banner), kVersionCaption);
  UpdateControlStates();
}

void ConfigForm::OnReadConfig() {
  const WaitCursorScope busy(items_);
  UpdatePortFromList();
  BannerBuffer banner{};
  if (!link_.FindDevice(banner)) {
    ImageBuffer image{};
    const int length = link_.ReadImage(image);
    // The decoder leaves the record as it was when it refuses the image.
    const bool failed =
        length != kImageSize || record_.DecodeImage(std::span(image).first(kImageSize));
    if (!failed) CopyRecordToForm();
    ShowInfo(failed ? kReadFailed : kReadSuccessful, kReadCaption);
  }
  UpdateControlStates();
}

void ConfigForm::OnWriteConfig() {
  CopyFormToRecord();
  if (HoldsEmergencyMessage(record_) && !ConfirmEmergencyWrite()) return;
  const WaitCursorScope busy(items_);
  UpdatePortFromList();
  ImageBuffer image{};
  // Anything but a whole image has been refused with its reason: nothing goes out.
  if (record_.EncodeImage(image) != kImageSize) return;
  const auto written = std::span<const std::uint8_t>(image).first(kImageSize);
  BannerBuffer banner{};
  if (link_.FindDevice(banner)) return;
  if (link_.WriteImage(written)) return;
  // The record takes the values as the tracker now holds them. Our own image always
  // decodes; should it not, its reason has been shown and nothing claims success.
  if (record_.DecodeImage(written)) return;
  CopyRecordToForm();
  ShowInfo(kWriteSuccessful, kWriteCaption);
  UpdateControlStates();
}

void ConfigForm::OnSendLowTone() {
  SendTone('1');
}

void ConfigForm::OnSendHighTone() {
  SendTone('2');
}

void ConfigForm::OnSendBothTones() {
  SendTone('3');
}

void ConfigForm::OnStopSending() {
  SendTone('x');
}

void ConfigForm::SendTone(std::uint8_t toneCode) {
  const WaitCursorScope busy(items_);
  UpdatePortFromList();
  link_.SendTone(toneCode);  // a failure has been shown; nothing follows either way
}

}  // namespace korvaset
