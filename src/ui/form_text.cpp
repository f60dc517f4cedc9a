#include "ui/form_text.h"

#include <QList>
#include <climits>

namespace korvaset {

namespace {

// The characters that atoi skips before the number.
bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

int ParseNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  // Accumulate the magnitude in a wider type and stop once it is past int's range.
  constexpr long long kLimit = static_cast<long long>(INT_MAX) + 1;
  long long magnitude = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > kLimit) magnitude = kLimit;
  }
  if (negative) return static_cast<int>(-magnitude);  // -kLimit is INT_MIN
  return magnitude > INT_MAX ? INT_MAX : static_cast<int>(magnitude);
}

std::string ToLatin1(const QString& text, std::size_t maxChars) {
  std::string bytes;
  for (const uint c : text.toUcs4()) {
    if (bytes.size() == maxChars) break;
    bytes.push_back(c <= 0xFF ? static_cast<char>(c) : '?');
  }
  return bytes;
}

std::string ToLatin1(const QString& text) {
  return ToLatin1(text, static_cast<std::size_t>(text.size()));
}

QString FromLatin1(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace korvaset
