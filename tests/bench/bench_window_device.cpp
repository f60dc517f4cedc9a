// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
// Presses Read Config and Write Config in the configuration window, offscreen, against
// the tracker that COM1 leads to (KORVASET_COM1), and prints the median time of each
// handler in milliseconds: "read_config <ms>" and "write_config <ms>".
// tests/bench/device_bench runs it against korvalink-sim and sets the times beside the
// protocol's floor. Usage: bench_window_device [runs]
#include <QAbstractButton>
#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "form/file_dialogs.h"
#include "platform/recording_message_boxes.h"
#include "resources/control_ids.h"
#include "ui/config_window.h"

namespace {

using namespace korvaset;

class NoFileDialogs final : public FileDialogs {
 public:
  std::optional<std::string> GetSavePath(const FileDialogRequest&) override { return {}; }
  std::optional<std::string> GetOpenPath(const FileDialogRequest&) override { return {}; }
};

// Presses the button runs times; the median time, or nothing when a press didn't end in
// the expected box.
std::optional<double> MedianPress(ConfigWindow& window, RecordingMessageBoxes& boxes, int id,
                                  const std::string& expected, int runs) {
  auto* button = qobject_cast<QAbstractButton*>(window.Control(id));
  std::vector<double> times;
  for (int run = 0; run < runs; ++run) {
    boxes.shown.clear();
    const auto start = std::chrono::steady_clock::now();
    button->click();
    times.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count());
    if (boxes.shown.size() != 1 || boxes.shown.front().text != expected) {
      for (const Message& message : boxes.shown) {
        std::fprintf(stderr, "%s: %s\n", message.caption.c_str(), message.text.c_str());
      }
      return std::nullopt;
    }
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;

  RecordingMessageBoxes boxes;
  const ScopedMessageBoxes installed(boxes);
  NoFileDialogs dialogs;
  ConfigWindow window(dialogs);

  const std::optional<double> read =
      MedianPress(window, boxes, kIdReadConfig, "Read Successful", runs);
  const std::optional<double> write =
      MedianPress(window, boxes, kIdWriteConfig, "Write Successful", runs);
  if (!read || !write) return 1;
  std::printf("read_config %.1f\nwrite_config %.1f\n", *read, *write);
  return 0;
}
