// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "ui_win32/win32_file_dialogs.h"

#include <windows.h>

#include <commdlg.h>

#include <vector>

#include "ui_win32/wide_text.h"

namespace korvaset {

namespace {

// Long enough for any path the dialog returns.
constexpr std::size_t kPathBufferLength = 32768;

std::optional<std::string> RunDialog(HWND owner, const FileDialogRequest& request, bool saving) {
  const std::wstring title = WideFromUtf8(request.title);
  const std::wstring filter = CommonDialogFilter(request.filter);
  const std::wstring suffix = WideFromUtf8(request.defaultSuffix);
  std::vector<wchar_t> path(kPathBufferLength, L'\0');
  const std::wstring initial = WideFromUtf8(request.initialName);
  if (initial.size() < path.size()) std::copy(initial.begin(), initial.end(), path.begin());

  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = static_cast<DWORD>(path.size());
  dialog.lpstrTitle = title.c_str();
  dialog.lpstrDefExt = suffix.empty() ? nullptr : suffix.c_str();
  // The open dialog takes the name of a file that isn't there: loading it reports that.
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_LONGNAMES |
                 (saving ? OFN_OVERWRITEPROMPT : OFN_PATHMUSTEXIST);
  const BOOL chosen = saving ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
  if (!chosen) return std::nullopt;
  return Utf8FromWide(path.data());
}

}  // namespace

std::wstring CommonDialogFilter(const std::string& filter) {
  std::wstring wide = WideFromUtf8(filter);
  if (wide.find(L'|') == std::wstring::npos) wide += L'|' + wide + L"||";
  for (wchar_t& c : wide) {
    if (c == L'|') c = L'\0';
  }
  return wide;
}

std::optional<std::string> Win32FileDialogs::GetSavePath(const FileDialogRequest& request) {
  return RunDialog(owner_ ? owner_() : nullptr, request, true);
}

std::optional<std::string> Win32FileDialogs::GetOpenPath(const FileDialogRequest& request) {
  return RunDialog(owner_ ? owner_() : nullptr, request, false);
}

}  // namespace korvaset
