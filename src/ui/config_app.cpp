// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "ui/config_app.h"

#include <QCoreApplication>

#include "platform/message_box.h"
#include "ui/config_window.h"
#include "ui/end_signals.h"
#include "ui/qt_file_dialogs.h"
#include "ui/qt_message_boxes.h"

namespace korvaset {

int ConfigApp::Run(MessageBoxes& boxes, std::span<const StartupStep> steps) {
  const ScopedMessageBoxes installed(boxes);
  for (const StartupStep& step : steps) {
    if (step.run()) {
      // No name is set, so the application's name is the executable's.
      ShowMessage({.text = step.failureText,
                   .caption = QCoreApplication::applicationName().toStdString(),
                   .icon = MessageIcon::kExclamation});
      return 1;
    }
  }
  const EndSignals endSignals;
  QtFileDialogs fileDialogs;
  ConfigWindow window(fileDialogs);
  fileDialogs.SetParent(&window);
  window.exec();  // how it closed doesn't matter: nothing is kept
  // Closed by logout, shutdown or Ctrl-C: end as that signal asks.
  return endSignals.Received() != 0 ? 128 + endSignals.Received() : 0;
}

int ConfigApp::Run() {
  QtMessageBoxes boxes;
  return Run(boxes);
}

}  // namespace korvaset
