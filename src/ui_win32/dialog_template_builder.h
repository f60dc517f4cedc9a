// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <windows.h>

#include <vector>

#include "resources/dialog_template.h"

namespace korvaset {

// Ids of the labels and unit labels that the builder adds beside a control: control n of
// the table (counting from 0) gets kLabelIdBase + n and kUnitIdBase + n. The window places
// them by their text's width once the font is known (PlaceSideLabels).
inline constexpr int kLabelIdBase = 3000;
inline constexpr int kUnitIdBase = 4000;

// A DLGTEMPLATEEX in memory, DWORD-aligned, for DialogBoxIndirectParamW and
// CreateDialogIndirectParamW.
class DialogTemplateData {
 public:
  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  friend class DialogTemplateWriter;
  std::vector<WORD> words_;
};

// The template of a dialog from its layout table: "MS Shell Dlg" at 8 points, rectangles
// in dialog units as the table gives them, controls in the table's order (which is the
// keyboard order), each label and unit label as a static after its control.
// style: the dialog's window style beyond DS_SETFONT.
DialogTemplateData BuildDialogTemplate(const DialogTemplate& dialog, DWORD style, DWORD exStyle);

// Moves each side label of the table next to its control, as wide as its text in the
// dialog's font: labels right-aligned before the control, unit labels after it, both
// centred on it vertically.
void PlaceSideLabels(HWND dialog, const DialogTemplate& layout);

}  // namespace korvaset
