// The transfers between the form's controls and the configuration record.
#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTabBar>
#include <array>
#include <string>

#include "config/fixed_text.h"
#include "resources/control_ids.h"
#include "resources/window_strings.h"
#include "ui/config_window.h"
#include "ui/form_text.h"
#include "ui/tab_page.h"

namespace korvaset {

namespace {

struct NumberField {
  int id;
  PerProfile<int> ConfigRecord::*field;
};

struct SharedNumberField {
  int id;
  int ConfigRecord::*field;
};

struct FlagField {
  int id;
  PerProfile<Flag> ConfigRecord::*field;
};

constexpr std::array kNumberFields{
    NumberField{kIdAutoTxDelay, &ConfigRecord::autoTxDelay},
    NumberField{kIdAutoTxRate, &ConfigRecord::autoTxRate},
    NumberField{kIdManualTxDelay, &ConfigRecord::manualTxDelay},
    NumberField{kIdManualTxRate, &ConfigRecord::manualTxRate},
    NumberField{kIdQuietTime, &ConfigRecord::quietTime},
    NumberField{kIdStatusEvery, &ConfigRecord::statusEvery},
    NumberField{kIdTelemetryRate, &ConfigRecord::telemetryRate},
    NumberField{kIdSlotOffset, &ConfigRecord::slotOffset},
    NumberField{kIdSbSlowSpeed, &ConfigRecord::sbSlowSpeed},
    NumberField{kIdSbSlowRate, &ConfigRecord::sbSlowRate},
    NumberField{kIdSbFastSpeed, &ConfigRecord::sbFastSpeed},
    NumberField{kIdSbFastRate, &ConfigRecord::sbFastRate},
    NumberField{kIdSbMinTurnAngle, &ConfigRecord::sbMinTurnAngle},
    NumberField{kIdSbTurnSlope, &ConfigRecord::sbTurnSlope},
    NumberField{kIdSbMinTurnTime, &ConfigRecord::sbMinTurnTime},
    NumberField{kIdPowerSwitchTime, &ConfigRecord::powerSwitchTime},
};

// The levels belong to no profile: both tabs show the same values.
constexpr std::array kSharedNumberFields{
    SharedNumberField{kIdRxLevel, &ConfigRecord::rxLevel},
    SharedNumberField{kIdTxLevel, &ConfigRecord::txLevel},
    SharedNumberField{kIdTxTwist, &ConfigRecord::txTwist},
};

constexpr std::array kFlagFields{
    FlagField{kIdSendAltitude, &ConfigRecord::sendAltitude},
    FlagField{kIdSendNmea, &ConfigRecord::sendNmea},
    FlagField{kIdSkipStartPacket, &ConfigRecord::skipStartPacket},
    FlagField{kIdOnlySendValid, &ConfigRecord::onlySendValid},
    FlagField{kIdNoTxOnPttIn, &ConfigRecord::noTxOnPttIn},
    FlagField{kIdSerialOutHigh, &ConfigRecord::serialOutHigh},
    FlagField{kIdGps9600, &ConfigRecord::gps9600},
    FlagField{kIdAlternateDigiPaths, &ConfigRecord::alternateDigiPaths},
    FlagField{kIdInvertCdIn, &ConfigRecord::invertCdIn},
    FlagField{kIdBaud300, &ConfigRecord::baud300},
    FlagField{kIdSendSeparate, &ConfigRecord::sendSeparate},
    FlagField{kIdNoGtPrefix, &ConfigRecord::noGtPrefix},
    FlagField{kIdSendAfterPosition, &ConfigRecord::sendAfterPosition},
    FlagField{kIdSendVoltage, &ConfigRecord::sendVoltage},
    FlagField{kIdSendTemp, &ConfigRecord::sendTemp},
    FlagField{kIdMicEEnable, &ConfigRecord::micE},
    FlagField{kIdForcePrintable, &ConfigRecord::forcePrintable},
    FlagField{kIdTimeSlottingEnable, &ConfigRecord::timeSlotting},
    FlagField{kIdSmartBeaconingEnable, &ConfigRecord::smartBeaconing},
    FlagField{kIdPowerSwitchEnable, &ConfigRecord::powerSwitch},
};

// Number of MIC-E messages; an index outside them stores the first.
constexpr int kMicEMessageCount = 8;

std::string CharacterText(char c) {
  return c == '\0' ? std::string() : std::string(1, c);
}

}  // namespace

std::string ConfigWindow::ReadEditText(int id) const {
  const QWidget* control = Control(id);
  QString text;
  if (const auto* edit = qobject_cast<const QLineEdit*>(control)) {
    text = edit->text();
  } else if (const auto* box = qobject_cast<const QComboBox*>(control)) {
    text = box->currentText();
  } else if (const auto* button = qobject_cast<const QAbstractButton*>(control)) {
    text = button->text();
  }
  return ToLatin1(text, kMaxEditText);
}

void ConfigWindow::SetItemText(int id, std::string_view text) {
  QWidget* control = Control(id);
  const QString qtext = FromLatin1(text);
  if (auto* edit = qobject_cast<QLineEdit*>(control)) {
    edit->setText(qtext);
  } else if (auto* box = qobject_cast<QComboBox*>(control)) {
    box->setEditText(qtext);
  } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
    button->setText(qtext);
  }
}

void ConfigWindow::SetItemNumber(int id, int value) {
  SetItemText(id, std::to_string(value));
}

bool ConfigWindow::IsChecked(int id) const {
  const auto* box = qobject_cast<const QAbstractButton*>(Control(id));
  return box != nullptr && box->isChecked();
}

void ConfigWindow::SetChecked(int id, bool checked) {
  if (auto* box = qobject_cast<QAbstractButton*>(Control(id))) box->setChecked(checked);
}

int ConfigWindow::SelectedEntry(int id) const {
  const auto* box = qobject_cast<const QComboBox*>(Control(id));
  if (box == nullptr) return -1;
  // An editable list keeps its last entry while the user types; the field's text decides.
  const QString text = box->currentText();
  const int current = box->currentIndex();
  if (current >= 0 && box->itemText(current) == text) return current;
  return box->findText(text, Qt::MatchFixedString);
}

void ConfigWindow::SelectEntry(int id, int index) {
  auto* box = qobject_cast<QComboBox*>(Control(id));
  if (box == nullptr) return;
  if (index >= 0 && index < box->count()) {
    box->setCurrentIndex(index);
    box->setEditText(box->itemText(index));
  } else {
    box->setCurrentIndex(-1);
    box->setEditText(QString());
  }
}

void ConfigWindow::InitProfileTabs() {
  SelectEntry(kIdPortList, 0);
  {
    // The first tab selects itself; that is not the user's switch.
    const QSignalBlocker blocker(ProfileTabs());
    ProfileTabs()->insertTab(0, FromLatin1(kPrimaryTab));
    ProfileTabs()->insertTab(1, FromLatin1(kSecondaryTab));
  }
  tabPage_->LayoutTabBar();
  record_.visibleProfile = ProfileTabs()->currentIndex() & 1;
  CopyRecordToForm();
  UpdateControlStates();
}

void ConfigWindow::CopyFormToRecord() {
  const int p = record_.visibleProfile;
  record_.SetCallsign(ReadEditText(kIdCallsign));
  record_.SetDigiPath(ReadEditText(kIdDigiPath));
  record_.SetStatusText(ReadEditText(kIdStatusText));

  for (const NumberField& number : kNumberFields) {
    (record_.*number.field)[p] = ParseNumber(ReadEditText(number.id));
  }

  const int message = SelectedEntry(kIdMicEMessage);
  record_.micEMessage[p] = message >= 0 && message < kMicEMessageCount ? message : 0;
  record_.micEPath[p] = SelectedEntry(kIdMicEPath);

  const std::string symbol = ReadEditText(kIdSymbol);
  record_.symbol[p] = symbol.empty() ? '\0' : symbol.front();
  const std::string table = ReadEditText(kIdSymbolTable);
  record_.symbolTable[p] = table.empty() ? '\0' : table.front();

  // A waypoint output is on exactly when its character count is not 0.
  record_.waypointChars[p] =
      IsChecked(kIdWaypointEnable) ? ParseNumber(ReadEditText(kIdWaypointChars)) : 0;

  for (const SharedNumberField& number : kSharedNumberFields) {
    record_.*number.field = ParseNumber(ReadEditText(number.id));
  }

  for (const FlagField& flag : kFlagFields) {
    (record_.*flag.field)[p] = IsChecked(flag.id) ? 1 : 0;
  }
  const bool hms = IsChecked(kIdTimestampHms);
  record_.timestamp[p] = IsChecked(kIdTimestampDhm) || hms ? 1 : 0;
  record_.timestampHms[p] = hms ? 1 : 0;
}

void ConfigWindow::CopyRecordToForm() {
  const int p = record_.visibleProfile;
  SetItemText(kIdCallsign, TextOf(record_.callsign[p]));
  SetItemText(kIdDigiPath, TextOf(record_.digiPath[p]));
  SetItemText(kIdStatusText, TextOf(record_.statusText[p]));

  for (const NumberField& number : kNumberFields) {
    SetItemNumber(number.id, (record_.*number.field)[p]);
  }
  for (const SharedNumberField& number : kSharedNumberFields) {
    SetItemNumber(number.id, record_.*number.field);
  }

  SelectEntry(kIdMicEMessage, record_.micEMessage[p]);
  SelectEntry(kIdMicEPath, record_.micEPath[p]);

  SetItemText(kIdSymbol, CharacterText(record_.symbol[p]));
  SetItemText(kIdSymbolTable, CharacterText(record_.symbolTable[p]));

  const int waypointChars = record_.waypointChars[p];
  SetChecked(kIdWaypointEnable, waypointChars != 0);
  SetItemNumber(kIdWaypointChars, waypointChars);

  for (const FlagField& flag : kFlagFields) {
    SetChecked(flag.id, (record_.*flag.field)[p] != 0);
  }
  const bool timestamp = record_.timestamp[p] != 0;
  const bool hms = record_.timestampHms[p] != 0;
  SetChecked(kIdTimestampDhm, timestamp && !hms);
  SetChecked(kIdTimestampHms, timestamp && hms);

  UpdateControlStates();
}

void ConfigWindow::OnProfileTabChange(int index) {
  // The controls still show the profile that was visible: store them there first.
  CopyFormToRecord();
  record_.visibleProfile = index & 1;
  CopyRecordToForm();
  UpdateControlStates();
}

void ConfigWindow::StepLevel(int id, int delta) {
  // Pull a far-out value to just outside the range first, so the step can't overflow.
  const int value = Clamp(ParseNumber(ReadEditText(id)), -1, 101);
  SetItemNumber(id, Clamp(value + delta, 0, 100));
}

void ConfigWindow::OnRxLevelSpin(int delta) {
  StepLevel(kIdRxLevel, delta);
}

void ConfigWindow::OnTxLevelSpin(int delta) {
  StepLevel(kIdTxLevel, delta);
}

void ConfigWindow::OnTxTwistSpin(int delta) {
  StepLevel(kIdTxTwist, delta);
}

}  // namespace korvaset
