// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "form/dialog_items.h"
#include "resources/dialog_template.h"

namespace korvaset {

// The dialog's items as maps from id to value. A list's field shows the entry selected
// from the form; typing changes the field alone, as the tests choose.
class FakeDialogItems final : public DialogItems {
 public:
  std::string ItemText(int id) const override { return Find(text, id, std::string()); }
  void SetItemText(int id, std::string_view value) override {
    text[id] = value;
    ++textSets[id];
  }
  bool IsItemChecked(int id) const override { return Find(checked, id, false); }
  void CheckItem(int id, bool value) override { checked[id] = value; }
  int ListSelection(int id) const override { return Find(selection, id, -1); }
  void SelectListEntry(int id, int index) override {
    selection[id] = index;
    text[id] = index >= 0 ? std::string(DropDownEntries(id)[index]) : std::string();
  }
  void EnableItem(int id, bool value) override { enabled[id] = value; }
  int SelectedTab(int) const override { return tabs.empty() ? -1 : selectedTab; }
  void InsertTab(int, int index, std::string_view value) override {
    tabs.insert(tabs.begin() + index, std::string(value));
  }
  void BeginWaitCursor() override {
    if (log != nullptr) log->push_back("cursor busy");
  }
  void EndWaitCursor() override {
    if (log != nullptr) log->push_back("cursor back");
  }

  bool IsEnabled(int id) const { return Find(enabled, id, true); }

  std::map<int, std::string> text;
  std::map<int, int> textSets;  // how often the form set each text
  std::map<int, bool> checked;
  std::map<int, int> selection;
  std::map<int, bool> enabled;
  std::vector<std::string> tabs;
  int selectedTab = 0;
  std::vector<std::string>* log = nullptr;  // where the cursor changes go, if anywhere

 private:
  template <class Map, class T>
  static T Find(const Map& map, int id, T otherwise) {
    const auto it = map.find(id);
    return it == map.end() ? otherwise : it->second;
  }
};

}  // namespace korvaset
