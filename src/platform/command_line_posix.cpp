#include "platform/command_line.h"

namespace korvaset {

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
  return std::vector<std::string>(argv, argv + argc);
}

}  // namespace korvaset
