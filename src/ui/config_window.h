#pragma once

#include <QDialog>
#include <QHash>
#include <QIcon>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "config/config_record.h"
#include "device/serial_link.h"

class QAction;
class QMenu;
class QTabBar;

namespace korvaset {

class FileDialogs;
class SerialPort;
class TabPage;

// The program's one window: the settings form over the Primary/Secondary tab strip, the
// device, file and About buttons. It owns the configuration record and the serial link
// for its whole life; every handler is one of its operations.
class ConfigWindow final : public QDialog {
  Q_OBJECT

 public:
  // port: the serial port the link drives; the platform's own when none is given.
  explicit ConfigWindow(FileDialogs& fileDialogs, std::unique_ptr<SerialPort> port = nullptr);
  ~ConfigWindow() override;

  // The control with a layout id (1000..1073, 1 for Exit); nullptr for an unknown id.
  // The tab strip (1003) is its tab row.
  QWidget* Control(int id) const;

  ConfigRecord& Record() { return record_; }
  const ConfigRecord& Record() const { return record_; }
  SerialLink& Link() { return link_; }

  // The "&About Korvaset..." item of the window's menu (the background's context menu).
  QAction* AboutAction() const { return aboutAction_; }

  // Sets the link's port number from the port list: the selected index + 1, so no
  // selection gives port 0, which the link refuses when it opens.
  void UpdatePortFromList();

  // Form transfers.
  void InitProfileTabs();
  void CopyFormToRecord();
  void CopyRecordToForm();
  void UpdateControlStates();

  // A control's text as the record holds text: at most kMaxEditText characters, Latin-1.
  std::string ReadEditText(int id) const;
  // Sets the text of an edit, drop-down field, check box or button from Latin-1 bytes.
  void SetItemText(int id, std::string_view text);
  void SetItemNumber(int id, int value);

  // Longest text that the form reads from a control.
  static constexpr int kMaxEditText = 78;

 public slots:
  void OnAbout();
  void OnReadVersion();
  void OnReadConfig();
  void OnWriteConfig();
  void OnSendLowTone();
  void OnSendHighTone();
  void OnSendBothTones();
  void OnStopSending();
  void OnSaveConfig();
  void OnLoadConfig();

  void OnProfileTabChange(int index);
  // delta: +1 for the up arrow, -1 for the down arrow.
  void OnRxLevelSpin(int delta);
  void OnTxLevelSpin(int delta);
  void OnTxTwistSpin(int delta);

  void OnSmartBeaconingEnable();
  void OnTimeSlottingEnable();
  void OnMicEEnable();
  void OnSendNmea();
  void OnTimestampDhm();
  void OnTimestampHms();
  void OnGroupEnable();

 protected:
  // X11 and Wayland keep the window menu to themselves; the background's context menu
  // stands in for it.
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void ConnectHandlers();
  // The tone buttons: the port from the list, then the tone code, without a probe.
  void SendTone(std::uint8_t toneCode);
  void StepLevel(int id, int delta);
  bool IsChecked(int id) const;
  void SetChecked(int id, bool checked);
  // The index of the entry that a drop-down's field shows, or -1 when its text (typed or
  // empty) is no entry of the list.
  int SelectedEntry(int id) const;
  void SelectEntry(int id, int index);
  QTabBar* ProfileTabs() const;

  QIcon appIcon_;
  ConfigRecord record_;
  SerialLink link_;
  FileDialogs& fileDialogs_;
  QHash<int, QWidget*> controls_;
  TabPage* tabPage_ = nullptr;
  QMenu* windowMenu_ = nullptr;
  QAction* aboutAction_ = nullptr;
};

}  // namespace korvaset
