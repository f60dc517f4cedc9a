// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "ui_web/page_builder.h"

#include <cmath>
#include <string_view>

#include "config/latin1_text.h"
#include "config/settings_catalogue.h"
#include "resources/accessible_name.h"

namespace korvaset {

namespace {

using emscripten::val;

// Gap between a label and its control, in dialog units.
constexpr int kLabelGap = 2;

std::string Text(std::string_view latin1) {
  return Latin1ToUtf8(latin1);
}

std::string Px(int pixels) {
  return std::to_string(pixels) + "px";
}

val Create(const char* tag, const char* className = nullptr) {
  val element = val::global("document").call<val>("createElement", std::string(tag));
  if (className != nullptr) element.set("className", std::string(className));
  return element;
}

void Place(val& element, int left, int top, int width, int height) {
  val style = element["style"];
  style.set("left", Px(left));
  style.set("top", Px(top));
  if (width >= 0) style.set("width", Px(width));
  if (height >= 0) style.set("height", Px(height));
}

std::string AccessibleName(const ControlDef& def) {
  return Text(AccessibleNameOf(def));
}

// The catalogue's help for a control, or nothing for a control it doesn't describe.
std::string Tooltip(const ControlDef& def) {
  const Setting* setting = FindSettingByControl(def.id);
  return setting == nullptr ? std::string() : SettingTooltip(*setting);
}

val MakeControl(const ControlDef& def, const PageUnits& units, std::string_view idPrefix) {
  const std::string caption = Text(def.caption);
  switch (def.kind) {
    case ControlKind::kTabStrip: {
      val frame = Create("div", "tab-frame");
      val tabs = Create("div", "tab-row");
      tabs.call<void>("setAttribute", std::string("role"), std::string("tablist"));
      tabs.set("id", ElementId(def.id, idPrefix));
      tabs["style"].set("height", Px(units.Y(kTabRowHeight)));
      val page = Create("div", "tab-page");
      page["style"].set("top", Px(units.Y(kTabRowHeight) - 1));
      frame.call<void>("appendChild", tabs);
      frame.call<void>("appendChild", page);
      return frame;
    }
    case ControlKind::kFrame: {
      val frame = Create("div", "frame");
      frame.call<void>("setAttribute", std::string("role"), std::string("group"));
      val legend = Create("span", "frame-caption");
      legend.set("textContent", caption);
      frame.call<void>("appendChild", legend);
      return frame;
    }
    case ControlKind::kEdit: {
      val edit = Create("input", "edit");
      edit.set("type", std::string("text"));
      edit.set("spellcheck", false);
      return edit;
    }
    case ControlKind::kCheckBox: {
      val label = Create("label", "check");
      val box = Create("input");
      box.set("type", std::string("checkbox"));
      box.set("id", ElementId(def.id, idPrefix));
      val text = Create("span");
      text.set("textContent", caption);
      label.call<void>("appendChild", box);
      label.call<void>("appendChild", text);
      return label;
    }
    case ControlKind::kDropDown: {
      const auto entries = DropDownEntries(def.id);
      if (def.frame == "Configure") {
        // The port list: the page's ports, filled in by the glue, picked and not typed.
        return Create("select", "drop-down");
      }
      // Editable: a field with a list of its entries (role combobox).
      val field = Create("input", "drop-down");
      field.set("type", std::string("text"));
      const std::string listId = "list" + std::to_string(def.id);
      field.call<void>("setAttribute", std::string("list"), listId);
      val list = Create("datalist");
      list.set("id", listId);
      for (const std::string_view entry : entries) {
        val option = Create("option");
        option.set("value", Text(entry));
        list.call<void>("appendChild", option);
      }
      val::global("document")["body"].call<void>("appendChild", list);
      return field;
    }
    case ControlKind::kSpin: {
      // Arrows standing apart from their edit, out of the keyboard order as on the desktop.
      val spin = Create("div", "spin");
      spin.call<void>("setAttribute", std::string("role"), std::string("group"));
      for (const auto& [name, delta] : {std::pair{"Up", "1"}, std::pair{"Down", "-1"}}) {
        val arrow = Create("button", "spin-arrow");
        arrow.set("type", std::string("button"));
        arrow.set("tabIndex", -1);
        arrow.call<void>("setAttribute", std::string("aria-label"), std::string(name));
        arrow.call<void>("setAttribute", std::string("data-delta"), std::string(delta));
        spin.call<void>("appendChild", arrow);
      }
      return spin;
    }
    case ControlKind::kButton:
    case ControlKind::kDefaultButton: {
      val button =
          Create("button", def.kind == ControlKind::kDefaultButton ? "button default" : "button");
      button.set("type", std::string("button"));
      button.set("textContent", caption);
      return button;
    }
    case ControlKind::kText: {
      val text = Create("div", "text");
      text.set("textContent", caption);
      return text;
    }
    case ControlKind::kIcon: {
      val icon = Create("img", "icon");
      icon.set("src", std::string("korvaset-32.png"));
      icon.set("alt", AccessibleName(def));
      return icon;
    }
  }
  return Create("div");
}

// A label beside its control, vertically centred on it; before it ends at the gap.
val MakeSideLabel(const std::string& text, const std::string& forId, int left, int right,
                  int centre, bool before) {
  val label = Create("label", before ? "side-label before" : "side-label");
  label.set("textContent", text);
  if (!forId.empty()) label.set("htmlFor", forId);
  val style = label["style"];
  style.set("top", Px(centre));
  if (before) {
    style.set("right", Px(right));
  } else {
    style.set("left", Px(left));
  }
  return label;
}

}  // namespace

PageUnits::PageUnits(double averageWidth, double height)
    : baseX_(averageWidth), baseY_(std::ceil(height)) {}

int PageUnits::X(int units) const {
  return static_cast<int>(std::lround(units * baseX_ / 4));
}

int PageUnits::Y(int units) const {
  return static_cast<int>(std::lround(units * baseY_ / 8));
}

std::string ElementId(int controlId, std::string_view prefix) {
  return std::string(prefix) + "ctl" + std::to_string(controlId);
}

void BuildPage(val container, const DialogTemplate& dialogTemplate, const PageUnits& units,
               std::string_view idPrefix, bool explained) {
  const int dialogWidth = units.X(dialogTemplate.width);
  container["style"].set("width", Px(dialogWidth));
  container["style"].set("height", Px(units.Y(dialogTemplate.height)));
  for (const ControlDef& def : dialogTemplate.controls) {
    val element = MakeControl(def, units, idPrefix);
    const int left = units.X(def.rect.x);
    const int top = units.Y(def.rect.y);
    const int width = units.X(def.rect.x + def.rect.width) - left;
    int height = units.Y(def.rect.y + def.rect.height) - top;
    if (def.kind == ControlKind::kDropDown) {
      height = units.Y(def.rect.y + kDropDownFieldHeight) - top;
    }
    if (def.kind == ControlKind::kIcon) {
      Place(element, left, top, -1, -1);
    } else {
      Place(element, left, top, width, height);
    }
    if (def.kind == ControlKind::kCheckBox) {
      // A caption wider in this font than in the original's keeps its full width.
      element["style"].set("width", std::string("auto"));
      element["style"].set("minWidth", Px(width));
    }
    const std::string name = AccessibleName(def);
    val named = def.kind == ControlKind::kTabStrip ? element["firstChild"] : element;
    if (def.kind == ControlKind::kCheckBox) named = element["firstChild"];
    if (!name.empty() && def.kind != ControlKind::kIcon && def.kind != ControlKind::kText) {
      named.call<void>("setAttribute", std::string("aria-label"), name);
    }
    // The help shows on hovering the control or its words, and is what a screen reader
    // reads after the name; it begins with the frame and unit, telling the "Enable"s apart.
    const std::string tooltip = explained ? Tooltip(def) : std::string();
    if (!tooltip.empty()) {
      // The tab strip's help belongs to its row of tabs, not to the page under them.
      (def.kind == ControlKind::kTabStrip ? named : element).set("title", tooltip);
      named.call<void>("setAttribute", std::string("aria-description"), tooltip);
    }
    if (def.id != kStaticId && def.kind != ControlKind::kTabStrip &&
        def.kind != ControlKind::kCheckBox) {
      element.set("id", ElementId(def.id, idPrefix));
    }
    if (def.id != kStaticId)
      element.call<void>("setAttribute", std::string("data-id"), std::to_string(def.id));
    container.call<void>("appendChild", element);

    const int centre = top + height / 2;
    if (!def.label.empty()) {
      val label = MakeSideLabel(Text(def.label), ElementId(def.id, idPrefix), 0,
                                dialogWidth - left + units.X(kLabelGap), centre, true);
      if (!tooltip.empty()) label.set("title", tooltip);
      container.call<void>("appendChild", label);
    }
    if (!def.unit.empty()) {
      val unit =
          MakeSideLabel(Text(def.unit), {}, left + width + units.X(kLabelGap), 0, centre, false);
      if (!tooltip.empty()) unit.set("title", tooltip);
      container.call<void>("appendChild", unit);
    }
  }
}

}  // namespace korvaset
