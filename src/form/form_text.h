#pragma once

#include <string>
#include <string_view>

namespace korvaset {

// Reads a number as atoi does: leading white space, an optional sign, then decimal digits up
// to the first other character; no digits give 0. Beyond the range of int it saturates at
// INT_MAX or INT_MIN instead of overflowing.
int ParseNumber(std::string_view text);

// UTF-8 from single-byte Latin-1 text, such as the tracker's banner, for a message box.
std::string Latin1ToUtf8(std::string_view text);

// Whether two texts are equal, ASCII letters compared without regard to case.
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

}  // namespace korvaset
