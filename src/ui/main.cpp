#include <QApplication>

#include "ui/config_app.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  return korvaset::ConfigApp().Run();
}
