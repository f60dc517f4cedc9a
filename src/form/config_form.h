// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "config/config_record.h"
#include "device/serial_link.h"

namespace korvaset {

class DialogItems;
class FileDialogs;
class SerialPort;

// The configuration window's logic, without a toolkit: the transfers between the form's
// items and the configuration record, the control states and interlocks, the spin and tab
// handlers, and the device, Save and Load handlers. It owns the record and the serial link;
// the window owns it, implements DialogItems over its controls, and routes the controls'
// notifications to the handlers below (OnClicked and OnSpin route by control id).
//
// Reports go through the installed message boxes (platform/message_box.h), paths through
// the file dialogs. Every handler runs to its end inside the notification that called it.
class ConfigForm {
 public:
  // port: the serial port the link drives; the platform's own when none is given. The
  // form calls no item until InitProfileTabs, which the window calls once its items exist.
  ConfigForm(DialogItems& items, FileDialogs& fileDialogs,
             std::unique_ptr<SerialPort> port = nullptr);

  ConfigRecord& Record() { return record_; }
  const ConfigRecord& Record() const { return record_; }
  SerialLink& Link() { return link_; }

  // Selects "COM1", adds the "Primary" and "Secondary" tabs, shows the Primary profile and
  // applies the control states: the window's last step of initialisation.
  void InitProfileTabs();
  // Stores the visible profile's items and the shared levels into the record.
  void CopyFormToRecord();
  // The same into another record, whose visibleProfile says which profile the items show.
  void CopyFormTo(ConfigRecord& record) const;
  // Shows the record's visible profile and the shared levels, then refreshes the states.
  void CopyRecordToForm();
  // Enables the governed items by their governing check boxes and sets the tone buttons'
  // captions from the record's visible profile.
  void UpdateControlStates();
  // Sets the link's port number from the port list: the entry its field shows + 1, so no
  // entry gives port 0, which the link refuses when it opens.
  void UpdatePortFromList();

  // An item's text as the record holds text: at most kMaxEditText characters, Latin-1.
  std::string ReadEditText(int id) const;
  void SetItemText(int id, std::string_view text);
  // Sets the text to the number in decimal.
  void SetItemNumber(int id, int value);

  // Longest text that the form reads from an item.
  static constexpr int kMaxEditText = 78;

  // Runs the handler of a click on a push button or check box. False for ids without one
  // here (Exit and About are the window's own; most check boxes have none).
  bool OnClicked(int id);
  // Runs the handler of a spin's arrow, delta +1 for the up arrow and -1 for the down arrow
  // (a Win32 up-down with its default range reports iDelta -1 for the up arrow: pass
  // -iDelta, and answer UDN_DELTAPOS with 1). False for ids that are no spin.
  bool OnSpin(int id, int delta);

  // Device operations.
  void OnReadVersion();
  void OnReadConfig();
  void OnWriteConfig();
  void OnSendLowTone();
  void OnSendHighTone();
  void OnSendBothTones();
  void OnStopSending();

  // Files.
  void OnSaveConfig();
  void OnLoadConfig();

  // Checks both profiles as the form shows them against APRS practice and shows the
  // findings in one message box. The visible profile goes into a scratch copy of the
  // record: the record itself changes only where Read, Write, Load and the tab say.
  void OnCheckConfiguration();

  // The user selected the other tab; the tab strip already shows it selected.
  void OnProfileTabChange();
  void OnRxLevelSpin(int delta);
  void OnTxLevelSpin(int delta);
  void OnTxTwistSpin(int delta);

  // Interlocks.
  void OnSmartBeaconingEnable();
  void OnTimeSlottingEnable();
  void OnMicEEnable();
  void OnSendNmea();
  void OnTimestampDhm();
  void OnTimestampHms();
  void OnGroupEnable();

 private:
  // The tone buttons: the port from the list, then the tone code, without a probe.
  void SendTone(std::uint8_t toneCode);
  void StepLevel(int id, int delta);
  // The index of the entry that a drop-down's field shows, or -1 when its text (typed or
  // empty) is no entry of the list. Typed text names an entry when it matches it ignoring
  // case.
  int SelectedEntry(int id) const;
  // Selects an entry; an index outside the list selects none and empties the field.
  void SelectEntry(int id, int index);

  DialogItems& items_;
  FileDialogs& fileDialogs_;
  ConfigRecord record_;
  SerialLink link_;
};

}  // namespace korvaset
