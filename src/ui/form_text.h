#pragma once

#include <QString>
#include <cstddef>
#include <string>
#include <string_view>

namespace korvaset {

// Reads a number as atoi does: leading white space, an optional sign, then decimal digits up
// to the first other character; no digits give 0. Beyond the range of int it saturates at
// INT_MAX or INT_MIN instead of overflowing.
int ParseNumber(std::string_view text);

// The record's single-byte text from a widget's text: Latin-1, '?' for what Latin-1 lacks.
std::string ToLatin1(const QString& text);

// The same, of the text's first maxChars characters only.
std::string ToLatin1(const QString& text, std::size_t maxChars);

// A widget's text from the record's single-byte text.
QString FromLatin1(std::string_view text);

}  // namespace korvaset
