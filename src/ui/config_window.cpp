#include "ui/config_window.h"

#include <QAbstractButton>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTabBar>

#include "device/serial_link.h"
#include "resources/control_ids.h"
#include "resources/dialog_template.h"
#include "resources/window_strings.h"
#include "ui/about_box.h"
#include "ui/dialog_builder.h"
#include "ui/file_dialogs.h"
#include "ui/form_text.h"
#include "ui/spin_arrows.h"
#include "ui/tab_page.h"

namespace korvaset {

namespace {

QIcon LoadAppIcon() {
  QIcon icon;
  icon.addFile(QStringLiteral(":/korvaset/korvaset-16.png"), QSize(16, 16));
  icon.addFile(QStringLiteral(":/korvaset/korvaset-32.png"), QSize(32, 32));
  return icon;
}

SerialLink MakeLink(std::unique_ptr<SerialPort> port) {
  if (port) return SerialLink(std::move(port));
  return SerialLink();
}

}  // namespace

ConfigWindow::ConfigWindow(FileDialogs& fileDialogs, std::unique_ptr<SerialPort> port)
    : QDialog(nullptr, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      appIcon_(LoadAppIcon()),
      link_(MakeLink(std::move(port))),
      fileDialogs_(fileDialogs) {
  BuiltDialog built = BuildDialog(*this, ConfigWindowTemplate(), appIcon_);
  controls_ = std::move(built.controls);
  tabPage_ = built.tabPage;
  setWindowIcon(appIcon_);

  windowMenu_ = new QMenu(this);
  windowMenu_->addAction(tr("&Close"), this, &QDialog::reject);
  windowMenu_->addSeparator();
  aboutAction_ = windowMenu_->addAction(FromLatin1(kAboutMenuText), this, &ConfigWindow::OnAbout);

  ConnectHandlers();
  InitProfileTabs();
  Control(kIdCallsign)->setFocus();
}

ConfigWindow::~ConfigWindow() = default;

QWidget* ConfigWindow::Control(int id) const {
  return controls_.value(id, nullptr);
}

QTabBar* ConfigWindow::ProfileTabs() const {
  return tabPage_->TabBar();
}

void ConfigWindow::ConnectHandlers() {
  const auto onClick = [this](int id, void (ConfigWindow::*handler)()) {
    connect(qobject_cast<QAbstractButton*>(Control(id)), &QAbstractButton::clicked, this, handler);
  };
  onClick(kIdExit, &ConfigWindow::accept);
  onClick(kIdAbout, &ConfigWindow::OnAbout);
  onClick(kIdReadVersion, &ConfigWindow::OnReadVersion);
  onClick(kIdReadConfig, &ConfigWindow::OnReadConfig);
  onClick(kIdWriteConfig, &ConfigWindow::OnWriteConfig);
  onClick(kIdSendLowTone, &ConfigWindow::OnSendLowTone);
  onClick(kIdSendHighTone, &ConfigWindow::OnSendHighTone);
  onClick(kIdSendBothTones, &ConfigWindow::OnSendBothTones);
  onClick(kIdStopSending, &ConfigWindow::OnStopSending);
  onClick(kIdSaveConfig, &ConfigWindow::OnSaveConfig);
  onClick(kIdLoadConfig, &ConfigWindow::OnLoadConfig);

  // clicked(), not toggled(): boxes set from the record run no interlock.
  onClick(kIdSmartBeaconingEnable, &ConfigWindow::OnSmartBeaconingEnable);
  onClick(kIdTimeSlottingEnable, &ConfigWindow::OnTimeSlottingEnable);
  onClick(kIdMicEEnable, &ConfigWindow::OnMicEEnable);
  onClick(kIdSendNmea, &ConfigWindow::OnSendNmea);
  onClick(kIdTimestampDhm, &ConfigWindow::OnTimestampDhm);
  onClick(kIdTimestampHms, &ConfigWindow::OnTimestampHms);
  onClick(kIdPowerSwitchEnable, &ConfigWindow::OnGroupEnable);
  onClick(kIdWaypointEnable, &ConfigWindow::OnGroupEnable);

  const auto onSpin = [this](int id, void (ConfigWindow::*handler)(int)) {
    connect(qobject_cast<SpinArrows*>(Control(id)), &SpinArrows::Stepped, this, handler);
  };
  onSpin(kIdRxLevelSpin, &ConfigWindow::OnRxLevelSpin);
  onSpin(kIdTxLevelSpin, &ConfigWindow::OnTxLevelSpin);
  onSpin(kIdTxTwistSpin, &ConfigWindow::OnTxTwistSpin);

  connect(ProfileTabs(), &QTabBar::currentChanged, this, &ConfigWindow::OnProfileTabChange);
}

void ConfigWindow::OnAbout() {
  AboutBox box(appIcon_, this);
  box.exec();
}

void ConfigWindow::contextMenuEvent(QContextMenuEvent* event) {
  windowMenu_->exec(event->globalPos());
}

}  // namespace korvaset
