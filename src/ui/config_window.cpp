// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "ui/config_window.h"

#include <QAbstractButton>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QTabBar>
#include <string>
#include <string_view>

#include "config/settings_catalogue.h"
#include "resources/control_ids.h"
#include "resources/dialog_template.h"
#include "resources/window_strings.h"
#include "ui/about_box.h"
#include "ui/dialog_builder.h"
#include "ui/latin1_text.h"
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

// Qt shows a plain tooltip's lines as they are, however long: the help's long lines are
// broken at blanks. The accessible description, which is the tooltip, reads the same.
std::string WrappedLines(std::string_view text) {
  constexpr std::size_t kColumns = 80;
  std::string wrapped;
  std::size_t lineStart = 0;  // in wrapped
  std::size_t lastBlank = std::string::npos;
  for (const char c : text) {
    wrapped += c;
    if (c == '\n') {
      lineStart = wrapped.size();
      lastBlank = std::string::npos;
    } else if (c == ' ') {
      lastBlank = wrapped.size() - 1;
    }
    if (wrapped.size() - lineStart > kColumns && lastBlank != std::string::npos) {
      wrapped[lastBlank] = '\n';
      lineStart = lastBlank + 1;
      lastBlank = std::string::npos;
    }
  }
  return wrapped;
}

}  // namespace

ConfigWindow::ConfigWindow(FileDialogs& fileDialogs, std::unique_ptr<SerialPort> port)
    : QDialog(nullptr, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      appIcon_(LoadAppIcon()),
      form_(*this, fileDialogs, std::move(port)) {
  BuiltDialog built = BuildDialog(*this, ConfigWindowTemplate(), appIcon_);
  controls_ = std::move(built.controls);
  tabPage_ = built.tabPage;
  SetToolTips(built.sideLabels);
  setWindowIcon(appIcon_);

  windowMenu_ = new QMenu(this);
  windowMenu_->addAction(tr("&Close"), this, &QDialog::reject);
  windowMenu_->addSeparator();
  aboutAction_ = windowMenu_->addAction(FromLatin1(kAboutMenuText), this, &ConfigWindow::OnAbout);
  checkAction_ = windowMenu_->addAction(FromLatin1(kCheckMenuText), this,
                                        [this] { form_.OnCheckConfiguration(); });
  // Focus always sits in a control: the key is what lets the keyboard reach the check.
  checkAction_->setShortcut(Qt::Key_F7);
  addAction(checkAction_);

  ConnectHandlers();
  form_.InitProfileTabs();
  Control(kIdCallsign)->setFocus();
}

ConfigWindow::~ConfigWindow() = default;

QWidget* ConfigWindow::Control(int id) const {
  return controls_.value(id, nullptr);
}

void ConfigWindow::ConnectHandlers() {
  for (auto it = controls_.cbegin(); it != controls_.cend(); ++it) {
    const int id = it.key();
    if (auto* button = qobject_cast<QAbstractButton*>(it.value())) {
      // clicked(), not toggled(): boxes set from the record run no interlock.
      connect(button, &QAbstractButton::clicked, this, [this, id] {
        if (id == kIdExit) {
          accept();
        } else if (id == kIdAbout) {
          OnAbout();
        } else {
          form_.OnClicked(id);
        }
      });
    } else if (auto* spin = qobject_cast<SpinArrows*>(it.value())) {
      connect(spin, &SpinArrows::Stepped, this, [this, id](int delta) { form_.OnSpin(id, delta); });
    }
  }
  connect(tabPage_->TabBar(), &QTabBar::currentChanged, this,
          [this] { form_.OnProfileTabChange(); });
}

void ConfigWindow::SetToolTips(const QMultiHash<int, QLabel*>& sideLabels) {
  for (auto it = controls_.cbegin(); it != controls_.cend(); ++it) {
    const Setting* setting = FindSettingByControl(it.key());
    if (setting == nullptr) continue;
    const QString tip = FromLatin1(WrappedLines(SettingTooltip(*setting)));
    it.value()->setToolTip(tip);
    for (QLabel* label : sideLabels.values(it.key())) label->setToolTip(tip);
  }
}

void ConfigWindow::OnAbout() {
  AboutBox box(appIcon_, this);
  box.exec();
}

void ConfigWindow::contextMenuEvent(QContextMenuEvent* event) {
  windowMenu_->exec(event->globalPos());
}

}  // namespace korvaset
