// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "ui_web/page_window.h"

#include <cctype>

#include "config/latin1_text.h"
#include "resources/control_ids.h"
#include "resources/dialog_template.h"
#include "resources/window_strings.h"
#include "ui_web/page_builder.h"
#include "ui_web/web_serial_port.h"
#include "version.h"

namespace korvaset {

namespace {

using emscripten::val;

val Document() {
  return val::global("document");
}

val Element(int id) {
  return Document().call<val>("getElementById", ElementId(id));
}

std::string Tag(const val& element) {
  return element.isNull() ? std::string() : element["tagName"].as<std::string>();
}

bool IsCheckBox(const val& element) {
  return Tag(element) == "INPUT" && element["type"].as<std::string>() == "checkbox";
}

// The page's text as the record keeps it: one Latin-1 byte per character, '?' for any
// character beyond Latin-1.
std::string ToLatin1(const std::string& utf8) {
  std::string bytes;
  for (std::size_t at = 0; at < utf8.size();) {
    const auto point = NextCodePoint(utf8, at);
    if (!point) {
      bytes.push_back('?');
      ++at;
      continue;
    }
    bytes.push_back(point->first <= 0xFF ? static_cast<char>(point->first) : '?');
    at += point->second;
  }
  return bytes;
}

// Where a text shows: an edit's value, a check box's caption beside it, a button's caption.
val TextHolder(const val& element) {
  return IsCheckBox(element) ? element["nextSibling"] : element;
}

const char* TextProperty(const val& element) {
  const std::string tag = Tag(element);
  return tag == "INPUT" || tag == "SELECT" ? "value" : "textContent";
}

// The entries of an editable drop-down's list.
val ListOptions(const val& field) {
  const val list = field["list"];
  return list.isNull() ? val::array() : val::global("Array").call<val>("from", list["options"]);
}

void BuildAboutBox(const PageUnits& units) {
  val dialog = Document().call<val>("getElementById", std::string("about"));
  val body = Document().call<val>("createElement", std::string("div"));
  body.set("className", std::string("dialog-body"));
  dialog.call<void>("appendChild", body);
  BuildPage(body, AboutBoxTemplate(), units, "about-");
  dialog.call<void>("setAttribute", std::string("aria-label"),
                    std::string(AboutBoxTemplate().caption));
  // Which build runs, since a service worker may keep an older one until the next load.
  val version = Document().call<val>("createElement", std::string("div"));
  version.set("className", std::string("text build-version"));
  version.set("textContent", "Web page " + std::string(kVersion));
  version["style"].set("left", std::to_string(units.X(40)) + "px");
  version["style"].set("top", std::to_string(units.Y(40)) + "px");
  body.call<void>("appendChild", version);
}

// The window menu beside the dialog, in place of the desktop's system menu: each item's
// text with its mnemonic letter underlined, which the glue takes as the item's key.
void BuildWindowMenu() {
  struct Item {
    const char* command;
    std::string_view text;
    const char* shortcut;
  };
  const auto create = [](const char* tag) {
    return Document().call<val>("createElement", std::string(tag));
  };
  val menu = Document().call<val>("getElementById", std::string("window-menu"));
  for (const auto& [command, text, shortcut] :
       {Item{"about", kAboutMenuText, ""}, Item{"check", kCheckMenuText, "F7"}}) {
    const std::size_t amp = text.find('&');
    const char letter = text[amp + 1];
    val item = create("button");
    item.set("type", std::string("button"));
    item.set("className", std::string("menu-item"));
    item.set("tabIndex", -1);
    item.call<void>("setAttribute", std::string("role"), std::string("menuitem"));
    item.call<void>("setAttribute", std::string("data-command"), std::string(command));
    item.call<void>("setAttribute", std::string("data-key"),
                    std::string(1, static_cast<char>(std::tolower(letter))));
    val caption = create("span");
    val underlined = create("u");
    underlined.set("textContent", std::string(1, letter));
    caption.call<void>("append", std::string(text.substr(0, amp)), underlined,
                       std::string(text.substr(amp + 2)));
    item.call<void>("appendChild", caption);
    if (*shortcut != '\0') {
      val key = create("span");
      key.set("textContent", std::string(shortcut));
      key.call<void>("setAttribute", std::string("aria-hidden"), std::string("true"));
      item.call<void>("setAttribute", std::string("aria-keyshortcuts"), std::string(shortcut));
      item.call<void>("appendChild", key);
    }
    menu.call<void>("appendChild", item);
  }
}

// A port for the link to own, and where it is for the window.
std::unique_ptr<SerialPort> MakePort(WebSerialPort*& port) {
  auto made = std::make_unique<WebSerialPort>();
  port = made.get();
  return made;
}

}  // namespace

PageWindow::PageWindow(FileDialogs& fileDialogs, double averageCharWidth, double charHeight)
    : form_(*this, fileDialogs, MakePort(port_)) {
  // The link owns the port; the port opens at the speed the link is about to set.
  port_->FollowBaudRate([this] { return form_.Link().BaudRate(); });
  const PageUnits units(averageCharWidth, charHeight);
  BuildPage(Document().call<val>("getElementById", std::string("dialog")), ConfigWindowTemplate(),
            units, {}, true);
  BuildAboutBox(units);
  BuildWindowMenu();
  Document().set("title", std::string(ConfigWindowTemplate().caption));
  form_.InitProfileTabs();
  Element(kIdCallsign).call<void>("focus");
}

void PageWindow::SelectTab(int index) {
  val tabs = Element(kIdProfileTabs);
  if (index == SelectedTab(kIdProfileTabs)) return;
  MarkSelectedTab(tabs, index);
  form_.OnProfileTabChange();
}

std::string PageWindow::ItemText(int id) const {
  const val element = Element(id);
  if (Tag(element).empty()) return {};
  const val holder = TextHolder(element);
  return ToLatin1(holder[TextProperty(holder)].as<std::string>());
}

void PageWindow::SetItemText(int id, std::string_view text) {
  const val element = Element(id);
  if (Tag(element).empty() || Tag(element) == "SELECT") return;
  val holder = TextHolder(element);
  holder.set(TextProperty(holder), Latin1ToUtf8(text));
}

bool PageWindow::IsItemChecked(int id) const {
  const val element = Element(id);
  return IsCheckBox(element) && element["checked"].as<bool>();
}

void PageWindow::CheckItem(int id, bool checked) {
  val element = Element(id);
  if (IsCheckBox(element)) element.set("checked", checked);
}

int PageWindow::ListSelection(int id) const {
  const val element = Element(id);
  const std::string tag = Tag(element);
  if (tag == "SELECT") return element["selectedIndex"].as<int>();
  if (tag != "INPUT") return -1;
  // A field with a list selects the entry it shows, as typed.
  const val options = ListOptions(element);
  const std::string value = element["value"].as<std::string>();
  const int count = options["length"].as<int>();
  for (int i = 0; i < count; ++i) {
    if (options[i]["value"].as<std::string>() == value) return i;
  }
  return -1;
}

void PageWindow::SelectListEntry(int id, int index) {
  val element = Element(id);
  const std::string tag = Tag(element);
  if (tag == "SELECT") {
    element.set("selectedIndex", index);
  } else if (tag == "INPUT") {
    const val options = ListOptions(element);
    const bool inList = index >= 0 && index < options["length"].as<int>();
    element.set("value", inList ? options[index]["value"] : val(std::string()));
  }
}

void PageWindow::EnableItem(int id, bool enabled) {
  val element = Element(id);
  if (Tag(element).empty()) return;
  element.set("disabled", !enabled);
  if (element["classList"].call<bool>("contains", std::string("spin"))) {
    const val arrows = element["children"];
    for (int i = 0; i < arrows["length"].as<int>(); ++i) arrows[i].set("disabled", !enabled);
  }
}

int PageWindow::SelectedTab(int id) const {
  const val tabs = Element(id);
  if (Tag(tabs).empty()) return -1;
  const val children = tabs["children"];
  for (int i = 0; i < children["length"].as<int>(); ++i) {
    if (children[i].call<val>("getAttribute", std::string("aria-selected")).as<std::string>() ==
        "true") {
      return i;
    }
  }
  return -1;
}

void PageWindow::InsertTab(int id, int index, std::string_view text) {
  val tabs = Element(id);
  if (Tag(tabs).empty()) return;
  val tab = Document().call<val>("createElement", std::string("button"));
  tab.set("type", std::string("button"));
  tab.set("className", std::string("tab"));
  tab.call<void>("setAttribute", std::string("role"), std::string("tab"));
  tab.call<void>("setAttribute", std::string("aria-selected"), std::string("false"));
  tab.set("tabIndex", -1);
  tab.set("textContent", Latin1ToUtf8(text));
  const val children = tabs["children"];
  const int count = children["length"].as<int>();
  tabs.call<void>("insertBefore", tab, index < count ? children[index] : val::null());
  // The first tab added becomes the selected one.
  if (count == 0) MarkSelectedTab(tabs, 0);
}

void PageWindow::MarkSelectedTab(val tabs, int index) {
  const val children = tabs["children"];
  for (int i = 0; i < children["length"].as<int>(); ++i) {
    val tab = children[i];
    tab.call<void>("setAttribute", std::string("aria-selected"),
                   std::string(i == index ? "true" : "false"));
    tab.set("tabIndex", i == index ? 0 : -1);
  }
}

void PageWindow::BeginWaitCursor() {
  if (waitCount_++ == 0) {
    Document()["documentElement"]["classList"].call<void>("add", std::string("wait"));
  }
}

void PageWindow::EndWaitCursor() {
  if (--waitCount_ == 0) {
    Document()["documentElement"]["classList"].call<void>("remove", std::string("wait"));
  }
}

}  // namespace korvaset
