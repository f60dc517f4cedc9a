#include "config/config_record.h"

#include <algorithm>

namespace korvaset {

namespace {

// Copies text into a fixed field, keeping at most N - 1 characters and the terminator.
template <std::size_t N>
void CopyCut(std::array<char, N>& field, std::string_view text) {
  const std::size_t kept = std::min(text.size(), N - 1);
  std::copy_n(text.begin(), kept, field.begin());
  std::fill(field.begin() + static_cast<std::ptrdiff_t>(kept), field.end(), '\0');
}

}  // namespace

int Clamp(int value, int lo, int hi) {
  if (value < lo) value = lo;
  if (value > hi) value = hi;
  return value;
}

ConfigRecord::ConfigRecord() {
  for (int p = 0; p < kProfileCount; ++p) {
    CopyCut(callsign[p], "NOCALL");
    CopyCut(digiPath[p], "WIDE1-1,WIDE2-1");
    CopyCut(statusText[p], "Korvalink");
  }
}

void ConfigRecord::SetCallsign(std::string_view text) { CopyCut(callsign[visibleProfile], text); }

void ConfigRecord::SetDigiPath(std::string_view text) { CopyCut(digiPath[visibleProfile], text); }

void ConfigRecord::SetStatusText(std::string_view text) {
  CopyCut(statusText[visibleProfile], text);
}

}  // namespace korvaset
