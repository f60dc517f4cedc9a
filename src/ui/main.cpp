// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include <QApplication>
#include <cstdio>
#include <cstring>
#include <string>

#include "ui/config_app.h"
#include "version.h"

namespace {

// What --help prints; the manual page is made from it.
constexpr const char* kHelp =
    "Usage: korvaset [--help | --version]\n"
    "The configuration window of Korvaset: reads the settings of a Korvalink APRS tracker over a\n"
    "serial port, edits its two profiles, writes them back and verifies them, sends test tones,\n"
    "and keeps configurations in .kvc files.\n"
    "\n"
    "Options:\n"
    "  --help         Print this help and exit\n"
    "  --version      Print the version and exit\n"
    "\n"
    "Environment:\n"
    "  KORVASET_COMn  The device that COMn (COM1 to COM8) opens, e.g. /dev/ttyUSB0. Without\n"
    "                 it, COMn is the n-th serial port of the system, USB adapters first;\n"
    "                 korvaset-cli ports shows which.\n";

}  // namespace

int main(int argc, char* argv[]) {
  // Answered before Qt starts, so that they work without a display.
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("%s\n", korvaset::VersionText("korvaset").c_str());
    return 0;
  }
  if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
    std::fputs(kHelp, stdout);
    return 0;
  }
  QApplication application(argc, argv);
  QApplication::setApplicationVersion(QString::fromLatin1(korvaset::kVersion));
  return korvaset::ConfigApp().Run();
}
