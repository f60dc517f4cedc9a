// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <windows.h>

#include <oleacc.h>

#include <memory>
#include <vector>

#include "resources/dialog_template.h"

namespace korvaset {

// What a screen reader says of each item, as in the Qt window: the name is the label without
// its colon (the platform would take the label's text with it), the description the tooltip,
// which tells the five "Enable" boxes apart. Through the platform's dynamic annotation;
// nothing where COM isn't started or the service is missing.
class AccessibleAnnotations {
 public:
  AccessibleAnnotations() = default;
  ~AccessibleAnnotations() { Clear(); }
  AccessibleAnnotations(const AccessibleAnnotations&) = delete;
  AccessibleAnnotations& operator=(const AccessibleAnnotations&) = delete;

  void Annotate(HWND dialog, const DialogTemplate& layout);
  // Takes them back, while the items still exist.
  void Clear();

 private:
  struct Release {
    void operator()(IAccPropServices* services) const { services->Release(); }
  };
  std::unique_ptr<IAccPropServices, Release> services_;
  std::vector<HWND> annotated_;
};

}  // namespace korvaset
