#include "platform/com_names.h"

#include <cstdlib>

#include "platform/ascii_text.h"

namespace korvaset {

std::optional<std::string> ProcessEnvironment(const std::string& name) {
  const char* value = std::getenv(name.c_str());
  if (value == nullptr || *value == '\0') return std::nullopt;
  return std::string(value);
}

std::string SerialPortInfo::Description() const {
  if (vendorId.empty() && productId.empty()) return {};
  std::string text = vendorId + ":" + productId;
  if (!manufacturer.empty()) text += " " + manufacturer;
  if (!product.empty()) text += " " + product;
  return text;
}

std::optional<int> ComNumber(std::string_view comName) {
  if (comName.size() < 4 || comName.size() > 6) return std::nullopt;
  if (!StartsWithIgnoringAsciiCase(comName, "COM")) return std::nullopt;
  int number = 0;
  for (char c : comName.substr(3)) {
    if (c < '0' || c > '9') return std::nullopt;
    number = number * 10 + (c - '0');
  }
  if (number == 0) return std::nullopt;
  return number;
}

std::string ComEnvironmentVariable(int number) {
  return "KORVASET_COM" + std::to_string(number);
}

}  // namespace korvaset
