// The buttons that talk to the tracker.
#include "ui/config_window.h"

namespace korvaset {

void ConfigWindow::OnReadVersion() {}

void ConfigWindow::OnReadConfig() {}

void ConfigWindow::OnWriteConfig() {}

void ConfigWindow::OnSendLowTone() {}

void ConfigWindow::OnSendHighTone() {}

void ConfigWindow::OnSendBothTones() {}

void ConfigWindow::OnStopSending() {}

}  // namespace korvaset
