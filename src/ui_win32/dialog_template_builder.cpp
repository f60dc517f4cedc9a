// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "ui_win32/dialog_template_builder.h"

#include <commctrl.h>

#include <string_view>

#include "ui_win32/resource_ids.h"
#include "ui_win32/wide_text.h"

namespace korvaset {

namespace {

// Gap between a label and its control, in dialog units.
constexpr int kLabelGap = 2;

// Predefined window classes of a dialog template, by ordinal.
constexpr WORD kButtonClass = 0x0080;
constexpr WORD kEditClass = 0x0081;
constexpr WORD kStaticClass = 0x0082;
constexpr WORD kComboBoxClass = 0x0085;

}  // namespace

// Appends the fields of DLGTEMPLATEEX and DLGITEMTEMPLATEEX as WORDs.
class DialogTemplateWriter {
 public:
  void Word(WORD value) { words_.push_back(value); }
  void Dword(DWORD value) {
    Word(LOWORD(value));
    Word(HIWORD(value));
  }
  void Text(std::wstring_view text) {
    for (const wchar_t c : text) Word(static_cast<WORD>(c));
    Word(0);
  }
  void Ordinal(WORD value) {
    Word(0xFFFF);
    Word(value);
  }
  void AlignToDword() {
    if (words_.size() % 2 != 0) Word(0);
  }
  void Rect(const DialogRect& rect) {
    for (const int v : {rect.x, rect.y, rect.width, rect.height}) Word(static_cast<WORD>(v));
  }
  std::size_t Size() const { return words_.size(); }
  void Patch(std::size_t at, WORD value) { words_[at] = value; }
  DialogTemplateData Finish() {
    DialogTemplateData data;
    data.words_ = std::move(words_);
    return data;
  }

 private:
  std::vector<WORD> words_;
};

namespace {

struct ItemStyle {
  WORD ordinal = 0;  // a predefined class, or 0 for className
  const wchar_t* className = nullptr;
  DWORD style = 0;
  DWORD exStyle = 0;
};

ItemStyle StyleOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::kTabStrip:
      // Lies beneath every other control: it must not paint over them.
      return {0, WC_TABCONTROLW, WS_TABSTOP | WS_CLIPSIBLINGS};
    case ControlKind::kFrame:
      return {kButtonClass, nullptr, BS_GROUPBOX};
    case ControlKind::kEdit:
      return {kEditClass, nullptr, ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case ControlKind::kCheckBox:
      return {kButtonClass, nullptr, BS_AUTOCHECKBOX | WS_TABSTOP};
    case ControlKind::kDropDown:
      return {kComboBoxClass, nullptr, CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP};
    case ControlKind::kSpin:
      // No buddy: the window steps the edit beside it itself.
      return {0, UPDOWN_CLASSW, 0};
    case ControlKind::kButton:
      return {kButtonClass, nullptr, BS_PUSHBUTTON | WS_TABSTOP};
    case ControlKind::kDefaultButton:
      return {kButtonClass, nullptr, BS_DEFPUSHBUTTON | WS_TABSTOP};
    case ControlKind::kText:
      return {kStaticClass, nullptr, SS_LEFT};
    case ControlKind::kIcon:
      return {kStaticClass, nullptr, SS_ICON};
  }
  return {kStaticClass, nullptr, SS_LEFT};
}

// titleOrdinal: a resource for the item's title instead of text (an icon's).
void WriteItem(DialogTemplateWriter& out, int id, const ItemStyle& item, std::string_view text,
               const DialogRect& rect, WORD titleOrdinal = 0) {
  out.AlignToDword();
  out.Dword(0);  // help id
  out.Dword(item.exStyle);
  out.Dword(WS_CHILD | WS_VISIBLE | item.style);
  out.Rect(rect);
  out.Dword(static_cast<DWORD>(id));
  if (item.className != nullptr) {
    out.Text(item.className);
  } else {
    out.Ordinal(item.ordinal);
  }
  if (titleOrdinal != 0) {
    out.Ordinal(titleOrdinal);
  } else {
    out.Text(WideFromLatin1(text));
  }
  out.Word(0);  // no creation data
}

// A first guess at a side label's width; PlaceSideLabels sets the real one.
int GuessedWidth(std::string_view text) {
  return static_cast<int>(text.size()) * 5;
}

}  // namespace

DialogTemplateData BuildDialogTemplate(const DialogTemplate& dialog, DWORD style, DWORD exStyle) {
  DialogTemplateWriter out;
  out.Word(1);       // dlgVer
  out.Word(0xFFFF);  // signature: DLGTEMPLATEEX
  out.Dword(0);      // help id
  out.Dword(exStyle);
  out.Dword(style | DS_SETFONT);
  const std::size_t countAt = out.Size();
  out.Word(0);  // number of items, patched below
  out.Rect({0, 0, dialog.width, dialog.height});
  out.Word(0);  // no menu
  out.Word(0);  // the dialog class
  out.Text(WideFromLatin1(dialog.caption));
  out.Word(8);  // points
  out.Word(FW_NORMAL);
  out.Word(MAKEWORD(FALSE, DEFAULT_CHARSET));  // italic, charset
  out.Text(L"MS Shell Dlg");

  int count = 0;
  int index = 0;
  for (const ControlDef& def : dialog.controls) {
    const DialogRect& r = def.rect;
    // Both labels span the control's edit field height (a drop-down's is 12 units).
    const int height = def.kind == ControlKind::kDropDown ? 12 : r.height;
    // The label comes just before its control: a screen reader names an edit or a
    // drop-down by the text item before it.
    if (!def.label.empty()) {
      const int width = GuessedWidth(def.label);
      WriteItem(out, kLabelIdBase + index, {kStaticClass, nullptr, SS_RIGHT | SS_CENTERIMAGE},
                def.label, {r.x - kLabelGap - width, r.y, width, height});
      ++count;
    }
    const ItemStyle item = StyleOf(def.kind);
    const bool icon = def.kind == ControlKind::kIcon;
    WriteItem(out, def.id, item, def.caption, def.rect, icon ? IDI_KORVASET : 0);
    ++count;
    if (!def.unit.empty()) {
      WriteItem(out, kUnitIdBase + index, {kStaticClass, nullptr, SS_LEFT | SS_CENTERIMAGE},
                def.unit, {r.x + r.width + kLabelGap, r.y, GuessedWidth(def.unit), height});
      ++count;
    }
    ++index;
  }
  out.Patch(countAt, static_cast<WORD>(count));
  return out.Finish();
}

void PlaceSideLabels(HWND dialog, const DialogTemplate& layout) {
  HDC dc = GetDC(dialog);
  const HGDIOBJ oldFont =
      SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)));
  RECT gapRect{0, 0, kLabelGap, 0};
  MapDialogRect(dialog, &gapRect);
  const int gap = gapRect.right;
  auto place = [&](int labelId, HWND control, bool before) {
    HWND label = GetDlgItem(dialog, labelId);
    if (label == nullptr || control == nullptr) return;
    wchar_t text[64] = {};
    const int length = GetWindowTextW(label, text, 64);
    SIZE size{};
    GetTextExtentPoint32W(dc, text, length, &size);
    RECT labelRect{};
    GetWindowRect(label, &labelRect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&labelRect), 2);
    RECT controlRect{};
    GetWindowRect(control, &controlRect);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&controlRect), 2);
    const int width = size.cx + 1;
    const int x = before ? controlRect.left - gap - width : controlRect.right + gap;
    SetWindowPos(label, nullptr, x, labelRect.top, width, labelRect.bottom - labelRect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  };
  int index = 0;
  for (const ControlDef& def : layout.controls) {
    HWND control = GetDlgItem(dialog, def.id);
    place(kLabelIdBase + index, control, true);
    place(kUnitIdBase + index, control, false);
    ++index;
  }
  SelectObject(dc, oldFont);
  ReleaseDC(dialog, dc);
}

}  // namespace korvaset
