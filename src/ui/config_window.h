// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <QDialog>
#include <QHash>
#include <QIcon>
#include <memory>
#include <string>
#include <string_view>

#include "form/config_form.h"
#include "form/dialog_items.h"

class QAction;
class QLabel;
class QMenu;

namespace korvaset {

class FileDialogs;
class SerialPort;
class TabPage;

// The program's one window, drawn with Qt: the controls of the layout table over the
// Primary/Secondary tab strip. It owns the form logic (ConfigForm, which owns the record
// and the serial link), gives it the dialog's items through DialogItems and routes the
// controls' signals to it. What stays here is the window's own: its widgets and their
// tooltips, the About box, and the menu items that open it and Check Configuration.
class ConfigWindow final : public QDialog, public DialogItems {
  Q_OBJECT

 public:
  // port: the serial port the link drives; the platform's own when none is given.
  explicit ConfigWindow(FileDialogs& fileDialogs, std::unique_ptr<SerialPort> port = nullptr);
  ~ConfigWindow() override;

  // The control with a layout id (1000..1073, 1 for Exit); nullptr for an unknown id.
  // The tab strip (1003) is its tab row.
  QWidget* Control(int id) const;

  ConfigForm& Form() { return form_; }

  // The "&About Korvaset..." item of the window's menu (the background's context menu).
  QAction* AboutAction() const { return aboutAction_; }
  // The "Chec&k Configuration..." item after it, which F7 also runs.
  QAction* CheckAction() const { return checkAction_; }

  void OnAbout();

  // DialogItems, over the widgets.
  std::string ItemText(int id) const override;
  void SetItemText(int id, std::string_view text) override;
  bool IsItemChecked(int id) const override;
  void CheckItem(int id, bool checked) override;
  int ListSelection(int id) const override;
  void SelectListEntry(int id, int index) override;
  void EnableItem(int id, bool enabled) override;
  int SelectedTab(int id) const override;
  void InsertTab(int id, int index, std::string_view text) override;
  void BeginWaitCursor() override;
  void EndWaitCursor() override;

 protected:
  // X11 and Wayland keep the window menu to themselves; the background's context menu
  // stands in for it.
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void ConnectHandlers();
  // Each control's help from the settings catalogue, on the control and on its label and
  // unit. A screen reader takes the tooltip as the description.
  void SetToolTips(const QMultiHash<int, QLabel*>& sideLabels);

  QIcon appIcon_;
  QHash<int, QWidget*> controls_;
  TabPage* tabPage_ = nullptr;
  QMenu* windowMenu_ = nullptr;
  QAction* aboutAction_ = nullptr;
  QAction* checkAction_ = nullptr;
  ConfigForm form_;
};

}  // namespace korvaset
