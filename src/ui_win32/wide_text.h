// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <string>
#include <string_view>

namespace korvaset {

// Text at the edge between the program (single-byte Latin-1 in the record, UTF-8 in
// paths) and Win32's wide calls (UTF-16).

// Latin-1 bytes as UTF-16: each byte is its own code point.
std::wstring WideFromLatin1(std::string_view text);
// UTF-16 as Latin-1, one '?' per character outside it (a surrogate pair is one character).
std::string Latin1FromWide(std::wstring_view text);

std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);

// A report's text: UTF-8 when it is valid UTF-8 (paths), Latin-1 otherwise (bytes from the
// tracker).
std::wstring WideFromReportText(std::string_view text);

}  // namespace korvaset
