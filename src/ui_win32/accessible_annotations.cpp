// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include <windows.h>

#include <initguid.h>  // the annotation service's ids are defined here, once

#include "ui_win32/accessible_annotations.h"

#include <array>
#include <string>

#include "config/settings_catalogue.h"
#include "resources/accessible_name.h"
#include "ui_win32/wide_text.h"

namespace korvaset {

void AccessibleAnnotations::Annotate(HWND dialog, const DialogTemplate& layout) {
  IAccPropServices* services = nullptr;
  if (FAILED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                              IID_IAccPropServices, reinterpret_cast<void**>(&services))) ||
      services == nullptr) {
    return;
  }
  services_.reset(services);
  for (const ControlDef& def : layout.controls) {
    HWND item = def.id == kStaticId ? nullptr : GetDlgItem(dialog, def.id);
    if (item == nullptr) continue;
    const std::wstring name = WideFromLatin1(AccessibleNameOf(def));
    services_->SetHwndPropStr(item, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_NAME, name.c_str());
    if (const Setting* setting = FindSettingByControl(def.id)) {
      const std::wstring help = WideFromLatin1(SettingTooltip(*setting));
      services_->SetHwndPropStr(item, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_DESCRIPTION,
                                help.c_str());
    }
    annotated_.push_back(item);
  }
}

void AccessibleAnnotations::Clear() {
  if (services_ == nullptr) return;
  std::array<MSAAPROPID, 2> props{PROPID_ACC_NAME, PROPID_ACC_DESCRIPTION};
  for (HWND item : annotated_) {
    services_->ClearHwndProps(item, OBJID_CLIENT, CHILDID_SELF, props.data(),
                              static_cast<int>(props.size()));
  }
  annotated_.clear();
  services_.reset();
}

}  // namespace korvaset
