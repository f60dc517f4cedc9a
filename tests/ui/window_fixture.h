#pragma once

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QTabBar>
#include <QTest>
#include <QToolButton>
#include <memory>
#include <optional>
#include <string>

#include "resources/control_ids.h"
#include "ui/config_window.h"
#include "ui/file_dialogs.h"
#include "ui/spin_arrows.h"
#include "user_actions.h"

namespace korvaset {

// File dialogs that are never answered here: the window only needs one to exist.
class CancelledFileDialogs final : public FileDialogs {
 public:
  std::optional<std::string> GetSavePath(const FileDialogRequest&) override { return {}; }
  std::optional<std::string> GetOpenPath(const FileDialogRequest&) override { return {}; }
};

// A configuration window with helpers that act as a user would: typing and clicking.
class WindowFixture {
 public:
  WindowFixture() : window(dialogs) {}

  QLineEdit* Edit(int id) const { return qobject_cast<QLineEdit*>(window.Control(id)); }
  QComboBox* List(int id) const { return qobject_cast<QComboBox*>(window.Control(id)); }
  QAbstractButton* Box(int id) const { return qobject_cast<QAbstractButton*>(window.Control(id)); }
  QTabBar* Tabs() const { return qobject_cast<QTabBar*>(window.Control(kIdProfileTabs)); }
  SpinArrows* Spin(int id) const { return qobject_cast<SpinArrows*>(window.Control(id)); }

  void Type(int id, const QString& text) const { TypeInto(window, id, text); }
  QString Text(int id) const { return ShownText(window, id); }
  // Clicks inside a check box's indicator, or the middle of a push button.
  void Click(int id) const { ClickIndicator(window, id); }

  bool Checked(int id) const { return Box(id)->isChecked(); }
  bool Enabled(int id) const { return window.Control(id)->isEnabled(); }

  void SwitchTab(int index) const { SelectTab(window, index); }
  // To the other tab and back: what the form shows has passed through the record.
  void SwitchThereAndBack() const {
    const int here = Tabs()->currentIndex();
    SwitchTab(1 - here);
    SwitchTab(here);
  }

  CancelledFileDialogs dialogs;
  ConfigWindow window;
};

}  // namespace korvaset
