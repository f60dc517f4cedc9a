// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <functional>
#include <span>
#include <string>

namespace korvaset {

class MessageBoxes;

// A step that must succeed before the window opens. run returns true on failure.
struct StartupStep {
  std::function<bool()> run;
  std::string failureText;
};

// The program: start-up, then the configuration window until it closes. Needs a
// QApplication.
class ConfigApp {
 public:
  // Runs the start-up steps; the first that fails ends the program with its text in a
  // message box captioned with the application's name, before any window opens.
  // Otherwise runs the window modally. Returns the exit status: 0, 1 after a failed step, or
  // 128 + the signal's number when SIGTERM, SIGHUP or SIGINT closed the window.
  int Run(MessageBoxes& boxes, std::span<const StartupStep> steps = {});

  // The same with the Qt message boxes and no start-up steps of the platform's.
  int Run();
};

}  // namespace korvaset
