// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "ui/tab_page.h"

#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>
#include <QTabBar>
#include <algorithm>

namespace korvaset {

TabPage::TabPage(int tabHeight, QWidget* parent)
    : QWidget(parent), tabBar_(new QTabBar(this)), tabHeight_(tabHeight) {
  tabBar_->setDrawBase(false);
  tabBar_->setExpanding(false);
  connect(tabBar_, &QTabBar::currentChanged, this, [this] { update(); });
}

void TabPage::LayoutTabBar() {
  const QSize hint = tabBar_->sizeHint();
  const int overlap = style()->pixelMetric(QStyle::PM_TabBarBaseOverlap, nullptr, this);
  const int height = std::min(hint.height(), tabHeight_);
  tabBar_->setGeometry(overlap, 0, std::min(hint.width(), width() - 2 * overlap), height);
  update();
}

QRect TabPage::PageRect() const {
  const int overlap = style()->pixelMetric(QStyle::PM_TabBarBaseOverlap, nullptr, this);
  const int top = std::max(0, tabBar_->geometry().bottom() + 1 - overlap);
  return {0, top, width(), height() - top};
}

void TabPage::paintEvent(QPaintEvent* /*event*/) {
  QStylePainter painter(this);
  QStyleOptionTabWidgetFrame option;
  option.initFrom(this);
  option.rect = PageRect();
  option.shape = QTabBar::RoundedNorth;
  option.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
  option.tabBarSize = tabBar_->size();
  option.tabBarRect = tabBar_->geometry();
  const int current = tabBar_->currentIndex();
  if (current >= 0) {
    option.selectedTabRect = tabBar_->tabRect(current).translated(tabBar_->pos());
  }
  painter.drawPrimitive(QStyle::PE_FrameTabWidget, option);
}

void TabPage::resizeEvent(QResizeEvent* /*event*/) {
  LayoutTabBar();
}

}  // namespace korvaset
