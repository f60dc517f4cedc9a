// Save and Load: the configuration in files.
#include "ui/config_window.h"

namespace korvaset {

void ConfigWindow::OnSaveConfig() {}

void ConfigWindow::OnLoadConfig() {}

}  // namespace korvaset
