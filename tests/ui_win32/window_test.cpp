// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
// korvaset.exe's window under Wine on a display: the form's items on real Win32 controls,
// the real common dialogs and message boxes, and the tracker on COM1, where the test's
// script (tests/wine/window-test) starts korvalink-sim.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "config/config_record.h"
#include "files/config_file.h"
#include "platform/message_box.h"
#include "resources/control_ids.h"
#include "support/temp_dir.h"
#include "ui_win32/config_window.h"
#include "ui_win32/wide_text.h"
#include "ui_win32/win32_file_dialogs.h"
#include "ui_win32/win32_message_boxes.h"

namespace korvaset::testing {
namespace {

using namespace std::chrono_literals;

// The file-name field of the common dialogs: an edit, or the edit of a combo box.
constexpr int kFileNameEdit = 0x480;   // edt1
constexpr int kFileNameCombo = 0x47C;  // cmb13

std::wstring TextOf(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return text;
}

HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
  return info.hwndFocus;
}

// Polls until ready() or the time is up.
bool WaitFor(const std::function<bool()>& ready, std::chrono::seconds limit = 30s) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!ready()) {
    if (std::chrono::steady_clock::now() >= end) return false;
    std::this_thread::sleep_for(20ms);
  }
  return true;
}

// A modal window of this process with a caption, once it is shown and has the keyboard
// focus: a message box or a common dialog. Polled from a second thread while the first
// runs the modal loop.
HWND WaitForModal(const std::wstring& caption) {
  HWND found = nullptr;
  WaitFor([&] {
    found = FindWindowW(L"#32770", caption.c_str());
    if (found == nullptr || !IsWindowVisible(found)) return false;
    HWND focus = FocusOf(found);
    return focus == found || IsChild(found, focus);
  });
  return found;
}

bool IsFileNameField(HWND field) {
  return field != nullptr &&
         (GetDlgCtrlID(field) == kFileNameEdit || GetDlgCtrlID(GetParent(field)) == kFileNameCombo);
}

void PressKey(HWND target, WPARAM key) {
  PostMessageW(target, WM_KEYDOWN, key, 1);
  PostMessageW(target, WM_KEYUP, key, 0xC0000001);
}

// What a watcher expects of a modal window, and its answer.
struct Answer {
  explicit Answer(std::wstring caption, WPARAM key = VK_RETURN, std::wstring typed = {})
      : caption(std::move(caption)), key(key), typed(std::move(typed)) {}
  std::wstring caption;
  WPARAM key;
  std::wstring typed;  // into the focused field, before the key
};

// What a watcher saw of a modal window before it answered it.
struct Seen {
  std::wstring text;         // a message box's text
  std::wstring focusedText;  // text of the item with the keyboard focus
  bool focusInFileName = false;
  bool shown = false;
  bool closedByKey = false;
};

class Win32WindowTest : public ::testing::Test {
 protected:
  Win32WindowTest()
      : boxes_([this] { return window_.Handle(); }),
        installed_(boxes_),
        fileDialogs_([this] { return window_.Handle(); }),
        window_(fileDialogs_) {}

  void TearDown() override {
    for (const std::wstring& box : unexpected_) ADD_FAILURE() << Utf8FromWide(box);
  }

  void SetUp() override {
    ASSERT_NE(window_.Create(), nullptr);
    Pump();
  }

  HWND Dialog() const { return window_.Handle(); }
  HWND Item(int id) const { return GetDlgItem(Dialog(), id); }

  // Runs the messages that are waiting, as the program's loop would.
  void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (Dialog() != nullptr && IsDialogMessageW(Dialog(), &message)) continue;
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }

  // Clicks a button; a second thread waits for each modal window in turn, notes what it
  // shows, and answers it: typed (if any) into the focused field, then the key. Modal
  // windows beyond those expected are cancelled and noted in unexpected_, so that a test
  // never hangs in a modal loop.
  std::vector<Seen> ClickAndAnswer(int id, const std::vector<Answer>& answers) {
    return ActAndAnswer([this, id] { SendMessageW(Item(id), BM_CLICK, 0, 0); }, answers);
  }

  // The same around any act that opens modal windows and returns when they have closed.
  std::vector<Seen> ActAndAnswer(const std::function<void()>& act,
                                 const std::vector<Answer>& answers) {
    std::vector<Seen> seen(answers.size());
    std::atomic<bool> clicked = false;
    const DWORD thread = GetCurrentThreadId();
    std::thread watcher([&] {
      for (std::size_t i = 0; i < answers.size(); ++i) {
        HWND modal = WaitForModal(answers[i].caption);
        if (modal == nullptr) break;
        Seen& now = seen[i];
        now.shown = true;
        now.text = TextOf(GetDlgItem(modal, 0xFFFF));
        HWND focus = FocusOf(modal);
        now.focusInFileName = IsFileNameField(focus);
        now.focusedText = TextOf(focus);
        if (!answers[i].typed.empty()) {
          SendMessageW(focus, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(answers[i].typed.c_str()));
        }
        PressKey(focus, answers[i].key);
        now.closedByKey = WaitFor([modal] { return !IsWindow(modal); }, 10s);
      }
      while (!clicked) {
        EnumThreadWindows(
            thread,
            [](HWND window, LPARAM context) {
              wchar_t name[16] = {};
              GetClassNameW(window, name, 16);
              // Modal windows are dialogs, as the window itself is: it is owned by none.
              if (IsWindowVisible(window) && lstrcmpW(name, L"#32770") == 0 &&
                  GetWindow(window, GW_OWNER) != nullptr) {
                auto& unexpected = *reinterpret_cast<std::vector<std::wstring>*>(context);
                unexpected.push_back(TextOf(window) + L": " + TextOf(GetDlgItem(window, 0xFFFF)));
                PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
              }
              return TRUE;
            },
            reinterpret_cast<LPARAM>(&unexpected_));
        std::this_thread::sleep_for(500ms);
      }
    });
    act();  // returns when the last modal window has closed
    clicked = true;
    watcher.join();
    Pump();
    return seen;
  }

  // One modal window, answered.
  Seen ClickAndAnswer(int id, const Answer& answer) {
    return ClickAndAnswer(id, std::vector{answer}).front();
  }

  void Type(int id, const std::string& text) {
    SetWindowTextW(Item(id), WideFromLatin1(text).c_str());
  }

  Win32MessageBoxes boxes_;
  ScopedMessageBoxes installed_;
  Win32FileDialogs fileDialogs_;
  ConfigWindow window_;
  TempDir dir_;
  std::vector<std::wstring> unexpected_;
};

TEST_F(Win32WindowTest, OpensAsTheDialogOfTheLayoutTable) {
  EXPECT_EQ(TextOf(Dialog()), L"Korvaset");
  EXPECT_EQ(GetMenu(Dialog()), nullptr);
  // The client area is the template's 356 by 326 dialog units: nothing shifts it.
  RECT expected{0, 0, 356, 326};
  MapDialogRect(Dialog(), &expected);
  RECT client{};
  GetClientRect(Dialog(), &client);
  EXPECT_EQ(client.right, expected.right);
  EXPECT_EQ(client.bottom, expected.bottom);
  EXPECT_EQ(GetFocus(), Item(kIdCallsign));

  HMENU menu = GetSystemMenu(Dialog(), FALSE);
  const int count = GetMenuItemCount(menu);
  ASSERT_GE(count, 3);
  EXPECT_EQ(GetMenuState(menu, count - 3, MF_BYPOSITION) & MF_SEPARATOR, UINT{MF_SEPARATOR});

  // Real controls of each kind, the spins standing alone beside their edits.
  wchar_t name[32] = {};
  GetClassNameW(Item(kIdProfileTabs), name, 32);
  EXPECT_STREQ(name, WC_TABCONTROLW);
  EXPECT_EQ(TabCtrl_GetItemCount(Item(kIdProfileTabs)), 2);
  for (const int spin : {kIdRxLevelSpin, kIdTxLevelSpin, kIdTxTwistSpin}) {
    GetClassNameW(Item(spin), name, 32);
    EXPECT_STREQ(name, UPDOWN_CLASSW);
    EXPECT_EQ(SendMessageW(Item(spin), UDM_GETBUDDY, 0, 0), 0);
  }
  EXPECT_EQ(SendMessageW(Item(kIdMicEPath), CB_GETCOUNT, 0, 0), 16);
  EXPECT_EQ(TextOf(Item(kIdPortList)), L"COM1");
}

// Labels and group boxes on the tab's page show the page's colour (white under the visual
// styles), not patches of the dialog's; outside the tab strip they keep the dialog's.
TEST_F(Win32WindowTest, ItemsOnTheTabPageTakeItsColour) {
  RedrawWindow(Dialog(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  HDC dc = GetDC(Dialog());
  const auto colourAt = [&](HWND item, POINT point) {
    MapWindowPoints(item, Dialog(), &point, 1);
    return GetPixel(dc, point.x, point.y);
  };
  const auto insideOf = [&](const wchar_t* frame) {  // left of a group box's middle
    HWND box = FindWindowExW(Dialog(), nullptr, WC_BUTTONW, frame);
    RECT rect{};
    GetClientRect(box, &rect);
    return colourAt(box, {3, rect.bottom / 2});
  };
  HWND tab = Item(kIdProfileTabs);
  RECT page{};
  GetClientRect(tab, &page);
  TabCtrl_AdjustRect(tab, FALSE, &page);
  const COLORREF pageColour = colourAt(tab, {page.left + 2, page.bottom - 2});  // bare page
  EXPECT_EQ(colourAt(FindWindowExW(Dialog(), nullptr, L"Static", L"Callsign:"), {0, 0}),
            pageColour);
  EXPECT_EQ(insideOf(L"Timing"), pageColour);
  EXPECT_EQ(insideOf(L"Configure"), GetSysColor(COLOR_3DFACE));
  ReleaseDC(Dialog(), dc);
}

// The form's handlers behind the real notifications: a spin's arrow, a tab switch, an
// interlock, and Enter in a field, which closes the window.
TEST_F(Win32WindowTest, NotificationsReachTheForm) {
  NMUPDOWN up{};
  up.hdr = {Item(kIdTxTwistSpin), static_cast<UINT_PTR>(kIdTxTwistSpin), UDN_DELTAPOS};
  up.iDelta = -1;  // the up arrow of the default range
  // Answered with 1, so that the spin's own position never moves.
  EXPECT_EQ(SendMessageW(Dialog(), WM_NOTIFY, kIdTxTwistSpin, reinterpret_cast<LPARAM>(&up)), 1);
  EXPECT_EQ(TextOf(Item(kIdTxTwist)), L"51");

  Type(kIdCallsign, "PRIMARY");
  TabCtrl_SetCurSel(Item(kIdProfileTabs), 1);
  NMHDR change{Item(kIdProfileTabs), static_cast<UINT_PTR>(kIdProfileTabs), TCN_SELCHANGE};
  SendMessageW(Dialog(), WM_NOTIFY, kIdProfileTabs, reinterpret_cast<LPARAM>(&change));
  EXPECT_EQ(window_.Form().Record().visibleProfile, 1);
  EXPECT_EQ(std::string(window_.Form().Record().callsign[0].data()), "PRIMARY");

  SendMessageW(Item(kIdSmartBeaconingEnable), BM_CLICK, 0, 0);
  EXPECT_TRUE(IsWindowEnabled(Item(kIdSbSlowSpeed)));
  EXPECT_FALSE(IsWindowEnabled(Item(kIdAutoTxRate)));

  SetFocus(Item(kIdStatusText));
  PressKey(Item(kIdStatusText), VK_RETURN);
  Pump();
  EXPECT_EQ(Dialog(), nullptr);
}

// Check Configuration from the system menu, right after About, and from F7 shows the
// findings of what the form shows; a disabled control shows its help under the mouse.
TEST_F(Win32WindowTest, ChecksFromTheSystemMenuAndF7AndExplainsEachControl) {
  HMENU menu = GetSystemMenu(Dialog(), FALSE);
  const int count = GetMenuItemCount(menu);
  wchar_t text[64] = {};
  GetMenuStringW(menu, count - 2, text, 64, MF_BYPOSITION);
  EXPECT_STREQ(text, L"&About Korvaset...");
  GetMenuStringW(menu, count - 1, text, 64, MF_BYPOSITION);
  EXPECT_STREQ(text, L"Chec&k Configuration...");
  const UINT check = GetMenuItemID(menu, count - 1);

  Type(kIdCallsign, "W1AW-9");
  const ConfigRecord before = window_.Form().Record();
  const std::vector<Seen> seen = ActAndAnswer(
      [&] {
        SendMessageW(Dialog(), WM_SYSCOMMAND, check, 0);
        SetFocus(Item(kIdDigiPath));
        PressKey(Item(kIdDigiPath), VK_F7);
        Pump();
      },
      {Answer(L"Check Configuration"), Answer(L"Check Configuration")});
  for (const Seen& box : seen) {
    ASSERT_TRUE(box.shown);
    EXPECT_NE(box.text.find(L"Secondary, Callsign: error: "), std::wstring::npos);
    EXPECT_EQ(box.text.find(L"Primary, Callsign"), std::wstring::npos);
  }
  EXPECT_EQ(window_.Form().Record(), before);

  // A screen reader names an edit by the text just before it.
  HWND slowRate = Item(kIdSbSlowRate);
  EXPECT_EQ(TextOf(GetWindow(slowRate, GW_HWNDPREV)), L"Slow Rate:");
  ASSERT_FALSE(IsWindowEnabled(slowRate));
  RECT rect{};
  GetWindowRect(slowRate, &rect);
  SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  PostMessageW(slowRate, WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));
  HWND tip = window_.ToolTips();
  EXPECT_TRUE(WaitFor(
      [&] {
        Pump();
        return IsWindowVisible(tip) != FALSE;
      },
      10s));
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  wchar_t shown[1024] = {};
  tool.lpszText = shown;
  ASSERT_TRUE(SendMessageW(tip, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&tool)));
  EXPECT_EQ(tool.uId, UINT_PTR{kIdSbSlowRate});
  EXPECT_EQ(std::wstring(shown).substr(0, 36), L"SmartBeaconing: Slow Rate (seconds)\n");
}

// Read Config from the tracker on COM1, then Save through the real save dialog to a
// folder whose name Windows' ANSI code page can't spell, the name typed without extension.
TEST_F(Win32WindowTest, ReadConfigThenSaveToAFile) {
  Type(kIdCallsign, "LOST-1");
  Type(kIdRxLevel, "7");
  Seen read = ClickAndAnswer(kIdReadConfig, Answer(L"Korvalink Read"));
  ASSERT_TRUE(read.shown);
  EXPECT_TRUE(read.closedByKey);
  EXPECT_EQ(read.text, L"Read Successful");
  // The simulator's image is the default configuration.
  EXPECT_EQ(TextOf(Item(kIdCallsign)), WideFromLatin1(ConfigRecord().callsign[0].data()));
  EXPECT_EQ(TextOf(Item(kIdRxLevel)), std::to_wstring(ConfigRecord().rxLevel));

  Type(kIdCallsign, "WINE-7");
  const std::filesystem::path folder = dir_.Root() / std::filesystem::path(L"Grüße Ω");
  std::filesystem::create_directory(folder);
  const std::wstring typed = (folder / L"tracker").wstring();
  Seen save = ClickAndAnswer(kIdSaveConfig, Answer(L"Save Config File", VK_RETURN, typed));
  ASSERT_TRUE(save.shown);
  EXPECT_TRUE(save.closedByKey);
  EXPECT_TRUE(save.focusInFileName);
  EXPECT_EQ(save.focusedText, L"config1.kvc");

  ConfigRecord saved;
  ASSERT_TRUE(LoadConfigFile(saved, Utf8FromWide(typed + L".kvc")));
  EXPECT_EQ(std::string(saved.callsign[0].data()), "WINE-7");
  ConfigRecord expected = window_.Form().Record();
  EXPECT_EQ(saved.rxLevel, expected.rxLevel);
  EXPECT_EQ(std::string(saved.digiPath[1].data()), std::string(expected.digiPath[1].data()));
}

// Load's dialog starts in its file-name field and Escape cancels it; a silent tracker on
// COM2 gives the Linux window's message, which Return closes.
TEST_F(Win32WindowTest, OpenDialogAndSilentTracker) {
  Type(kIdCallsign, "KEPT");
  Seen load = ClickAndAnswer(kIdLoadConfig, Answer(L"Load Config File", VK_ESCAPE));
  ASSERT_TRUE(load.shown);
  EXPECT_TRUE(load.closedByKey);
  EXPECT_TRUE(load.focusInFileName);
  EXPECT_EQ(TextOf(Item(kIdCallsign)), L"KEPT");

  SendMessageW(Item(kIdPortList), CB_SETCURSEL, 1, 0);
  Seen error = ClickAndAnswer(kIdReadConfig, Answer(L"Error"));
  ASSERT_TRUE(error.shown);
  EXPECT_TRUE(error.closedByKey);
  EXPECT_EQ(error.text, L"Korvalink Not Found");
  EXPECT_EQ(TextOf(Item(kIdCallsign)), L"KEPT");
}

}  // namespace
}  // namespace korvaset::testing
