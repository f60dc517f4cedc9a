// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "ui/end_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QSocketNotifier>
#include <cerrno>
#include <memory>

#include "platform/end_signal_handlers.h"

namespace korvaset {

namespace {

// The self-pipe: the handler writes the signal's number, the event loop reads it.
int g_pipe[2] = {-1, -1};

void OnEndSignal(int signal) {
  const int savedErrno = errno;
  const auto byte = static_cast<unsigned char>(signal);
  (void)!write(g_pipe[1], &byte, 1);  // a full pipe already says enough
  errno = savedErrno;
}

}  // namespace

EndSignals::EndSignals() {
  if (pipe(g_pipe) != 0) return;  // the default actions stay
  for (const int fd : g_pipe) {
    fcntl(fd, F_SETFD, FD_CLOEXEC);
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
  }
  notifier_ = std::make_unique<QSocketNotifier>(g_pipe[0], QSocketNotifier::Read);
  connect(notifier_.get(), &QSocketNotifier::activated, this, &EndSignals::OnSignalNoted);
  handlers_ = std::make_unique<EndSignalHandlers>(OnEndSignal);
}

EndSignals::~EndSignals() {
  handlers_.reset();  // before the pipe the handler writes to
  notifier_.reset();  // before its descriptor goes
  for (int& fd : g_pipe) {
    if (fd >= 0) close(fd);
    fd = -1;
  }
}

void EndSignals::OnSignalNoted() {
  unsigned char byte = 0;
  while (read(g_pipe[0], &byte, 1) == 1) {
    if (received_ == 0) received_ = byte;
  }
  QApplication::closeAllWindows();
}

}  // namespace korvaset
