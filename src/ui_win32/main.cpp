// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
// korvaset.exe: the configuration window on Windows.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <string>

#include "platform/command_line.h"
#include "platform/message_box.h"
#include "ui_win32/config_window.h"
#include "ui_win32/win32_file_dialogs.h"
#include "ui_win32/win32_message_boxes.h"
#include "version.h"

namespace {

// A window program has no console of its own: --version answers in the one it was started
// from.
void PrintVersion() {
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  if ((out == nullptr || out == INVALID_HANDLE_VALUE) && AttachConsole(ATTACH_PARENT_PROCESS)) {
    out = GetStdHandle(STD_OUTPUT_HANDLE);
  }
  const std::string text = korvaset::VersionText("korvaset", "\r\n") + "\r\n";
  DWORD written = 0;
  WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

// COM for the screen reader's names and descriptions (AccessibleAnnotations), for as long as
// the window lives.
struct ComScope {
  ComScope() : result(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComScope() {
    if (SUCCEEDED(result)) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;
  HRESULT result;
};

}  // namespace

int main(int argc, char* argv[]) {
  using namespace korvaset;
  const std::vector<std::string> arguments = CommandLineArguments(argc, argv);
  if (arguments.size() == 2 && arguments[1] == "--version") {
    PrintVersion();
    return 0;
  }
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                      ICC_TAB_CLASSES | ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&controls);
  const ComScope com;

  ConfigWindow* shown = nullptr;
  const OwnerWindow owner = [&shown] { return shown != nullptr ? shown->Handle() : nullptr; };
  Win32MessageBoxes boxes(owner);
  const ScopedMessageBoxes installed(boxes);
  Win32FileDialogs fileDialogs(owner);
  ConfigWindow window(fileDialogs);
  shown = &window;
  window.RunModal();
  return 0;
}
