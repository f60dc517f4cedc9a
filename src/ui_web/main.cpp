// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
// The page's entry points, called by the glue with ccall(..., {async: true}) from the
// page's events. The glue lets no event in while one of them is paused at an await.
#include <emscripten.h>

#include <memory>

#include "platform/message_box.h"
#include "ui_web/page_window.h"
#include "ui_web/web_file_dialogs.h"
#include "ui_web/web_message_boxes.h"

namespace {

struct Page {
  korvaset::WebMessageBoxes boxes;
  korvaset::ScopedMessageBoxes installed{boxes};
  korvaset::WebFileDialogs fileDialogs;
  korvaset::PageWindow window;

  Page(double averageCharWidth, double charHeight)
      : window(fileDialogs, averageCharWidth, charHeight) {}
};

std::unique_ptr<Page> g_page;

}  // namespace

extern "C" {

// Builds the window, with the dialog font's average character width and height in pixels.
EMSCRIPTEN_KEEPALIVE void korvaset_start(double averageCharWidth, double charHeight) {
  EM_ASM({ FS.mkdir('/korvaset'); });
  g_page = std::make_unique<Page>(averageCharWidth, charHeight);
}

EMSCRIPTEN_KEEPALIVE void korvaset_click(int id) {
  if (g_page) g_page->window.Click(id);
}

EMSCRIPTEN_KEEPALIVE void korvaset_spin(int id, int delta) {
  if (g_page) g_page->window.Spin(id, delta);
}

EMSCRIPTEN_KEEPALIVE void korvaset_check() {
  if (g_page) g_page->window.CheckConfiguration();
}

EMSCRIPTEN_KEEPALIVE void korvaset_tab(int index) {
  if (g_page) g_page->window.SelectTab(index);
}

}  // extern "C"
