// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "platform/message_box.h"

#include <cstdio>

namespace korvaset {

namespace {

StderrMessageBoxes& DefaultBoxes() {
  static StderrMessageBoxes boxes;
  return boxes;
}

MessageBoxes* g_installed = nullptr;

MessageBoxes& Installed() {
  return g_installed ? *g_installed : DefaultBoxes();
}

}  // namespace

MessageAnswer StderrMessageBoxes::Show(const Message& message) {
  std::fprintf(stderr, "%s: %s\n", message.caption.c_str(), message.text.c_str());
  return message.defaultButton;
}

ScopedMessageBoxes::ScopedMessageBoxes(MessageBoxes& boxes) : previous_(g_installed) {
  g_installed = &boxes;
}

ScopedMessageBoxes::~ScopedMessageBoxes() {
  g_installed = previous_;
}

MessageAnswer ShowMessage(const Message& message) {
  return Installed().Show(message);
}

void ShowInfo(std::string_view text, std::string_view caption) {
  ShowMessage({.text = std::string(text), .caption = std::string(caption)});
}

bool ShowError(std::string_view text) {
  ShowInfo(text, "Error");
  return true;
}

}  // namespace korvaset
