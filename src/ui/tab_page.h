// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <QWidget>

class QTabBar;

namespace korvaset {

// A tab row over a page frame drawn as a tab widget draws it. The page holds no controls of
// its own: the dialog's controls lie over it, so one set of controls serves every tab.
class TabPage final : public QWidget {
  Q_OBJECT

 public:
  // tabHeight: the most the tab row may take, so the page starts where the layout expects.
  TabPage(int tabHeight, QWidget* parent = nullptr);

  QTabBar* TabBar() const { return tabBar_; }

  // Sizes the tab row to its tabs; call after adding or renaming tabs.
  void LayoutTabBar();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QRect PageRect() const;

  QTabBar* tabBar_;
  int tabHeight_;
};

}  // namespace korvaset
