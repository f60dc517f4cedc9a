// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "ui_win32/wide_text.h"

#include <windows.h>

namespace korvaset {

namespace {

bool IsHighSurrogate(wchar_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(wchar_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}

// MultiByteToWideChar with flags; nothing when the text isn't valid in the code page.
bool ToWide(UINT codePage, DWORD flags, std::string_view text, std::wstring& wide) {
  wide.clear();
  if (text.empty()) return true;
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(codePage, flags, text.data(), size, nullptr, 0);
  if (length <= 0) return false;
  wide.resize(static_cast<std::size_t>(length));
  return MultiByteToWideChar(codePage, flags, text.data(), size, wide.data(), length) == length;
}

}  // namespace

std::wstring WideFromLatin1(std::string_view text) {
  std::wstring wide;
  wide.reserve(text.size());
  for (const char c : text) wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(c)));
  return wide;
}

std::string Latin1FromWide(std::wstring_view text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = text[i];
    if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) ++i;
    bytes.push_back(c <= 0xFF ? static_cast<char>(c) : '?');
  }
  return bytes;
}

std::wstring WideFromUtf8(std::string_view text) {
  std::wstring wide;
  ToWide(CP_UTF8, 0, text, wide);
  return wide;
}

std::string Utf8FromWide(std::wstring_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return {};
  std::string bytes(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), size, bytes.data(), length, nullptr, nullptr);
  return bytes;
}

std::wstring WideFromReportText(std::string_view text) {
  std::wstring wide;
  if (ToWide(CP_UTF8, MB_ERR_INVALID_CHARS, text, wide)) return wide;
  return WideFromLatin1(text);
}

}  // namespace korvaset
