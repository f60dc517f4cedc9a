#include <QApplication>
#include <cstdio>
#include <cstring>
#include <string>

#include "ui/config_app.h"
#include "version.h"

int main(int argc, char* argv[]) {
  // Answered before Qt starts, so that it works without a display.
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("korvaset %s\n", std::string(korvaset::kVersion).c_str());
    return 0;
  }
  QApplication application(argc, argv);
  QApplication::setApplicationVersion(QString::fromLatin1(korvaset::kVersion));
  return korvaset::ConfigApp().Run();
}
