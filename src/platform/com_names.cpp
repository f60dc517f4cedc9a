#include "platform/com_names.h"

#include <cstdlib>

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
  const auto upper = [](char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; };
  if (upper(comName[0]) != 'C' || upper(comName[1]) != 'O' || upper(comName[2]) != 'M') {
    return std::nullopt;
  }
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
