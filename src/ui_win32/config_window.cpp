// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "ui_win32/config_window.h"

#include <commctrl.h>

#include "platform/interrupt_hold.h"
#include "resources/control_ids.h"
#include "resources/dialog_template.h"
#include "resources/window_strings.h"
#include "ui_win32/about_box.h"
#include "ui_win32/dialog_template_builder.h"
#include "ui_win32/resource_ids.h"
#include "ui_win32/wide_text.h"

namespace korvaset {

namespace {

// The system menu's commands: multiples of 16 below 0xF000, as the platform wants.
constexpr UINT kAboutCommand = 0x0010;
constexpr UINT kCheckCommand = 0x0020;

// The window whose items the thread's message hook watches: one per thread.
thread_local ConfigWindow* hookedWindow = nullptr;

constexpr DWORD kWindowStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER;

HICON LoadAppIcon(int metricX, int metricY) {
  return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_KORVASET),
                                       IMAGE_ICON, GetSystemMetrics(metricX),
                                       GetSystemMetrics(metricY), LR_DEFAULTCOLOR));
}

const DialogTemplateData& WindowTemplate() {
  static const DialogTemplateData data =
      BuildDialogTemplate(ConfigWindowTemplate(), kWindowStyle, WS_EX_APPWINDOW);
  return data;
}

void Answer(HWND dialog, LONG_PTR result) {
  SetWindowLongPtrW(dialog, DWLP_MSGRESULT, result);
}

}  // namespace

ConfigWindow::ConfigWindow(FileDialogs& fileDialogs, std::unique_ptr<SerialPort> port)
    : bigIcon_(LoadAppIcon(SM_CXICON, SM_CYICON)),
      smallIcon_(LoadAppIcon(SM_CXSMICON, SM_CYSMICON)),
      form_(*this, fileDialogs, std::move(port)) {}

ConfigWindow::~ConfigWindow() {
  if (hwnd_ != nullptr && !modal_) DestroyWindow(hwnd_);
  if (hookedWindow == this) hookedWindow = nullptr;
  for (HICON icon : {bigIcon_, smallIcon_}) {
    if (icon != nullptr) DestroyIcon(icon);
  }
}

void ConfigWindow::RunModal() {
  modal_ = true;
  // How it closed doesn't matter: nothing is kept.
  DialogBoxIndirectParamW(GetModuleHandleW(nullptr), WindowTemplate().Get(), nullptr,
                          &ConfigWindow::DialogProc, reinterpret_cast<LPARAM>(this));
}

HWND ConfigWindow::Create() {
  modal_ = false;
  HWND dialog =
      CreateDialogIndirectParamW(GetModuleHandleW(nullptr), WindowTemplate().Get(), nullptr,
                                 &ConfigWindow::DialogProc, reinterpret_cast<LPARAM>(this));
  if (dialog != nullptr) ShowWindow(dialog, SW_SHOW);
  return dialog;
}

INT_PTR CALLBACK ConfigWindow::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* window = reinterpret_cast<ConfigWindow*>(lParam);
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    window->hwnd_ = dialog;
    window->OnInitDialog();
    return FALSE;  // the focus is set
  }
  auto* window = reinterpret_cast<ConfigWindow*>(GetWindowLongPtrW(dialog, DWLP_USER));
  if (window == nullptr) return FALSE;
  if (message == WM_NCDESTROY) {
    window->hwnd_ = nullptr;
    window->hook_.reset();
    window->accessible_.Clear();
    if (hookedWindow == window) hookedWindow = nullptr;
    return FALSE;
  }
  return window->HandleMessage(message, wParam, lParam);
}

void ConfigWindow::OnInitDialog() {
  const DialogTemplate& layout = ConfigWindowTemplate();
  for (const ControlDef& def : layout.controls) {
    for (const std::string_view entry : DropDownEntries(def.id)) {
      SendDlgItemMessageW(hwnd_, def.id, CB_ADDSTRING, 0,
                          reinterpret_cast<LPARAM>(WideFromLatin1(entry).c_str()));
    }
  }
  PlaceSideLabels(hwnd_, layout);
  // The tab strip lies beneath everything on its page, and comes last in the keyboard order.
  SetWindowPos(GetDlgItem(hwnd_, kIdProfileTabs), HWND_BOTTOM, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

  if (HMENU menu = GetSystemMenu(hwnd_, FALSE)) {
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu, MF_STRING, kAboutCommand, WideFromLatin1(kAboutMenuText).c_str());
    AppendMenuW(menu, MF_STRING, kCheckCommand, WideFromLatin1(kCheckMenuText).c_str());
  }
  SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_));
  SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));

  form_.InitProfileTabs();
  toolTips_.Create(hwnd_, layout);
  accessible_.Annotate(hwnd_, layout);
  hookedWindow = this;
  hook_.reset(
      SetWindowsHookExW(WH_GETMESSAGE, &ConfigWindow::MessageHook, nullptr, GetCurrentThreadId()));
  SetFocus(GetDlgItem(hwnd_, kIdCallsign));
}

LRESULT CALLBACK ConfigWindow::MessageHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && wParam == PM_REMOVE && hookedWindow != nullptr) {
    hookedWindow->OnThreadMessage(*reinterpret_cast<MSG*>(lParam));
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void ConfigWindow::OnThreadMessage(MSG& message) {
  // Only the window's own items: not a message box's, nor a file dialog's.
  if (hwnd_ == nullptr || (message.hwnd != hwnd_ && !IsChild(hwnd_, message.hwnd))) return;
  if (message.message == WM_KEYDOWN && message.wParam == VK_F7) {
    // The focus always sits in an item, which would take the key: it runs the menu's command.
    message.message = WM_NULL;
    PostMessageW(hwnd_, WM_SYSCOMMAND, kCheckCommand, 0);
    return;
  }
  toolTips_.Relay(message);
}

INT_PTR ConfigWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<const NMHDR*>(lParam)) ? TRUE : FALSE;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == kAboutCommand) {
        OnAbout();
        return TRUE;
      }
      if ((wParam & 0xFFF0) == kCheckCommand) {
        form_.OnCheckConfiguration();
        return TRUE;
      }
      return FALSE;
    case WM_SETCURSOR:
      if (waitCount_ > 0) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        Answer(hwnd_, TRUE);
        return TRUE;
      }
      return FALSE;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      // A brush returns as the answer itself; nullptr leaves the dialog's colour.
      return reinterpret_cast<INT_PTR>(pageBackground_.ForControl(GetDlgItem(hwnd_, kIdProfileTabs),
                                                                  reinterpret_cast<HWND>(lParam),
                                                                  reinterpret_cast<HDC>(wParam)));
    case WM_ERASEBKGND:
      pageBackground_.EraseDialog(hwnd_, GetDlgItem(hwnd_, kIdProfileTabs),
                                  reinterpret_cast<HDC>(wParam));
      Answer(hwnd_, TRUE);
      return TRUE;
    case WM_THEMECHANGED:
    case WM_SYSCOLORCHANGE:
      pageBackground_.Reset();
      return FALSE;
    case WM_CLOSE:
      Close(IDCANCEL);
      return TRUE;
    case WM_QUERYENDSESSION:
      // Asked from a message box shown while the image goes out: the session waits for it.
      Answer(hwnd_, InterruptHold::Holding() ? FALSE : TRUE);
      return TRUE;
    case WM_ENDSESSION:
      // Nothing is kept: the window just closes before the session takes the process.
      if (wParam != FALSE) Close(IDCANCEL);
      return TRUE;
    default:
      return FALSE;
  }
}

void ConfigWindow::OnCommand(int id, int code) {
  // Exit is the default button: Enter in any field that is no push button closes too, as
  // Escape and the close box do, without a question.
  if (id == IDOK || id == IDCANCEL) {
    Close(id);
    return;
  }
  if (code != BN_CLICKED) return;
  if (id == kIdAbout) {
    OnAbout();
  } else if (id == kIdWriteConfig) {
    // A shutdown meanwhile waits for the thread and shows the user why.
    ShutdownBlockReasonCreate(hwnd_, WideFromLatin1(kInterruptHoldNotice).c_str());
    form_.OnClicked(id);
    ShutdownBlockReasonDestroy(hwnd_);
  } else {
    form_.OnClicked(id);
  }
}

bool ConfigWindow::OnNotify(const NMHDR& header) {
  if (header.code == UDN_DELTAPOS) {
    const auto& change = reinterpret_cast<const NMUPDOWN&>(header);
    // The up arrow reports -1 with the default range; the spin's own position never moves.
    form_.OnSpin(static_cast<int>(header.idFrom), -change.iDelta);
    Answer(hwnd_, 1);
    return true;
  }
  if (header.code == TCN_SELCHANGE && header.idFrom == kIdProfileTabs) {
    form_.OnProfileTabChange();
    Answer(hwnd_, 0);
    return true;
  }
  return false;
}

void ConfigWindow::Close(int id) {
  if (modal_) {
    EndDialog(hwnd_, id);
  } else {
    DestroyWindow(hwnd_);
  }
}

void ConfigWindow::OnAbout() {
  RunAboutBox(hwnd_);
}

void CenterOver(HWND dialog, HWND owner) {
  RECT ownerRect{};
  RECT rect{};
  if (owner == nullptr || !GetWindowRect(owner, &ownerRect) || !GetWindowRect(dialog, &rect)) {
    return;
  }
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  const int x = ownerRect.left + (ownerRect.right - ownerRect.left - width) / 2;
  const int y = ownerRect.top + (ownerRect.bottom - ownerRect.top - height) / 2;
  SetWindowPos(dialog, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace korvaset
