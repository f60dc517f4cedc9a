// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "ui_web/web_message_boxes.h"

#include <emscripten.h>

namespace korvaset {

namespace {

// 1 for OK, 0 for Cancel (Escape too, where there is a Cancel button).
EM_ASYNC_JS(int, AwaitMessageBox,
            (const char* text, const char* caption, int okCancel, int defaultCancel,
             int exclamation),
            {
              return await Module.korvasetBox(UTF8ToString(text), UTF8ToString(caption),
                                              okCancel != 0, defaultCancel != 0, exclamation != 0);
            });

}  // namespace

MessageAnswer WebMessageBoxes::Show(const Message& message) {
  const bool okCancel = message.buttons == MessageButtons::kOkCancel;
  const int ok = AwaitMessageBox(message.text.c_str(), message.caption.c_str(), okCancel,
                                 message.defaultButton == MessageAnswer::kCancel,
                                 message.icon == MessageIcon::kExclamation);
  return ok != 0 ? MessageAnswer::kOk : MessageAnswer::kCancel;
}

}  // namespace korvaset
