// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
// The form's construction and the routing of notifications by control id.
#include "form/config_form.h"

#include <array>

#include "form/dialog_items.h"
#include "form/file_dialogs.h"
#include "resources/control_ids.h"

namespace korvaset {

namespace {

SerialLink MakeLink(std::unique_ptr<SerialPort> port) {
  if (port) return SerialLink(std::move(port));
  return SerialLink();
}

struct ClickRoute {
  int id;
  void (ConfigForm::*handler)();
};

// The push buttons and check boxes that have a handler. Boxes set from the record run
// none: only the user's click is routed here.
constexpr std::array kClickRoutes{
    ClickRoute{kIdReadVersion, &ConfigForm::OnReadVersion},
    ClickRoute{kIdReadConfig, &ConfigForm::OnReadConfig},
    ClickRoute{kIdWriteConfig, &ConfigForm::OnWriteConfig},
    ClickRoute{kIdSendLowTone, &ConfigForm::OnSendLowTone},
    ClickRoute{kIdSendHighTone, &ConfigForm::OnSendHighTone},
    ClickRoute{kIdSendBothTones, &ConfigForm::OnSendBothTones},
    ClickRoute{kIdStopSending, &ConfigForm::OnStopSending},
    ClickRoute{kIdSaveConfig, &ConfigForm::OnSaveConfig},
    ClickRoute{kIdLoadConfig, &ConfigForm::OnLoadConfig},
    ClickRoute{kIdSmartBeaconingEnable, &ConfigForm::OnSmartBeaconingEnable},
    ClickRoute{kIdTimeSlottingEnable, &ConfigForm::OnTimeSlottingEnable},
    ClickRoute{kIdMicEEnable, &ConfigForm::OnMicEEnable},
    ClickRoute{kIdSendNmea, &ConfigForm::OnSendNmea},
    ClickRoute{kIdTimestampDhm, &ConfigForm::OnTimestampDhm},
    ClickRoute{kIdTimestampHms, &ConfigForm::OnTimestampHms},
    ClickRoute{kIdPowerSwitchEnable, &ConfigForm::OnGroupEnable},
    ClickRoute{kIdWaypointEnable, &ConfigForm::OnGroupEnable},
};

struct SpinRoute {
  int id;
  void (ConfigForm::*handler)(int);
};

constexpr std::array kSpinRoutes{
    SpinRoute{kIdRxLevelSpin, &ConfigForm::OnRxLevelSpin},
    SpinRoute{kIdTxLevelSpin, &ConfigForm::OnTxLevelSpin},
    SpinRoute{kIdTxTwistSpin, &ConfigForm::OnTxTwistSpin},
};

}  // namespace

ConfigForm::ConfigForm(DialogItems& items, FileDialogs& fileDialogs,
                       std::unique_ptr<SerialPort> port)
    : items_(items), fileDialogs_(fileDialogs), link_(MakeLink(std::move(port))) {}

bool ConfigForm::OnClicked(int id) {
  for (const ClickRoute& route : kClickRoutes) {
    if (route.id == id) {
      (this->*route.handler)();
      return true;
    }
  }
  return false;
}

bool ConfigForm::OnSpin(int id, int delta) {
  for (const SpinRoute& route : kSpinRoutes) {
    if (route.id == id) {
      (this->*route.handler)(delta);
      return true;
    }
  }
  return false;
}

}  // namespace korvaset
