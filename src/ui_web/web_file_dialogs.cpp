// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "ui_web/web_file_dialogs.h"

#include <emscripten.h>

#include <cstdio>

namespace korvaset {

namespace {

// Each returns 1 when the user chose a file, 0 when they closed the picker.
EM_ASYNC_JS(int, AwaitSavePicker,
            (const char* path, const char* name, const char* suffix, const char* filter), {
              return await Module.korvasetPickSave(UTF8ToString(path), UTF8ToString(name),
                                                   UTF8ToString(suffix), UTF8ToString(filter));
            });

EM_ASYNC_JS(int, AwaitOpenPicker, (const char* path, const char* suffix, const char* filter), {
  return await Module.korvasetPickOpen(UTF8ToString(path), UTF8ToString(suffix),
                                       UTF8ToString(filter));
});

}  // namespace

std::optional<std::string> WebFileDialogs::GetSavePath(const FileDialogRequest& request) {
  std::remove(kSavePath);
  if (AwaitSavePicker(kSavePath, request.initialName.c_str(), request.defaultSuffix.c_str(),
                      request.filter.c_str()) == 0) {
    return std::nullopt;
  }
  return kSavePath;
}

std::optional<std::string> WebFileDialogs::GetOpenPath(const FileDialogRequest& request) {
  std::remove(kOpenPath);
  if (AwaitOpenPicker(kOpenPath, request.defaultSuffix.c_str(), request.filter.c_str()) == 0) {
    return std::nullopt;
  }
  return kOpenPath;
}

}  // namespace korvaset
