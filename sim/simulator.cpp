// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#include "simulator.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <system_error>
#include <vector>

#include "image_file.h"

namespace korvaset {

namespace {

volatile sig_atomic_t gStopRequested = 0;

void OnStopSignal(int) {
  gStopRequested = 1;
}

// Between two clients the master reports a hang-up on every poll; waiting this long
// before looking again keeps an idle simulator from spinning. A client drains the line for
// far longer than this before it sends a command, so none is missed.
constexpr auto kIdleRecheck = std::chrono::milliseconds(20);

timespec ToTimespec(std::chrono::nanoseconds duration) {
  if (duration.count() < 0) duration = {};
  const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(duration);
  return timespec{static_cast<time_t>(seconds.count()),
                  static_cast<long>((duration - seconds).count())};
}

}  // namespace

StopSignals::StopSignals() {
  gStopRequested = 0;
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, &previousInt_);
  sigaction(SIGTERM, &action, &previousTerm_);
  sigset_t blocked;
  sigemptyset(&blocked);
  sigaddset(&blocked, SIGINT);
  sigaddset(&blocked, SIGTERM);
  sigprocmask(SIG_BLOCK, &blocked, &previousMask_);
  waitMask_ = previousMask_;
  sigdelset(&waitMask_, SIGINT);
  sigdelset(&waitMask_, SIGTERM);
}

StopSignals::~StopSignals() {
  sigprocmask(SIG_SETMASK, &previousMask_, nullptr);
  sigaction(SIGINT, &previousInt_, nullptr);
  sigaction(SIGTERM, &previousTerm_, nullptr);
}

bool StopSignals::Stopped() const {
  return gStopRequested != 0;
}

Simulator::Simulator(SimulatorOptions options, std::ostream& log)
    : options_(std::move(options)),
      log_(log),
      start_(Clock::now()),
      // Ten bits on the line for every byte: start bit, eight data bits, stop bit.
      byteTime_(std::chrono::duration_cast<Clock::duration>(
          std::chrono::nanoseconds(10 * 1'000'000'000LL / std::max(options_.baud, 1)))),
      pty_(std::make_unique<PseudoTerminal>(options_.baud)),
      tracker_(options_.image, options_.fault, [this](const std::string& text) { Log(text); }) {
  if (!options_.link.empty()) link_.emplace(options_.link, pty_->SlavePath());
}

void Simulator::Log(const std::string& text) {
  const double seconds = std::chrono::duration<double>(Clock::now() - start_).count();
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "[%9.3f] ", seconds);
  log_ << "korvalink-sim: " << stamp << text << std::endl;
}

void Simulator::Run(const StopSignals& signals) {
  Log("answering at " + std::to_string(options_.baud) + " baud on " + pty_->SlavePath() +
      (options_.link.empty() ? "" : " (link " + options_.link + ")"));
  std::array<std::uint8_t, 256> buffer{};
  while (!signals.Stopped()) {
    if (clientAway_) {
      const timespec pause = ToTimespec(kIdleRecheck);
      ppoll(nullptr, 0, &pause, &signals.WaitMask());
      if (signals.Stopped()) break;
    }
    pollfd master{pty_->MasterFd(), POLLIN, 0};
    timespec timeout{};
    const timespec* wait = nullptr;  // no reply to pace: wait for input or a signal
    if (!pending_.empty()) {
      timeout = ToTimespec(nextDue_ - Clock::now());
      wait = &timeout;
    }
    const int ready = ppoll(&master, 1, wait, &signals.WaitMask());
    if (ready < 0) {
      if (errno == EINTR) continue;
      throw std::system_error(errno, std::generic_category(), "ppoll");
    }
    if (master.revents & POLLIN) {
      const ssize_t count = read(pty_->MasterFd(), buffer.data(), buffer.size());
      if (count > 0) {
        ClientPresent();
        Receive(std::span(buffer.data(), static_cast<std::size_t>(count)));
      } else if (count == 0 || errno != EAGAIN) {
        ClientGone();
      }
    } else if (master.revents & (POLLHUP | POLLERR)) {
      ClientGone();
    } else {
      ClientPresent();  // no hang-up reported: a client has the port open
    }
    SendDueBytes();
  }
  Log("stopped");
}

void Simulator::Receive(std::span<const std::uint8_t> bytes) {
  const int speed = pty_->LineSpeed();
  TrackerResponse response;
  if (speed != options_.baud) {
    const std::string what =
        std::to_string(bytes.size()) + (bytes.size() == 1 ? " byte" : " bytes") + " at " +
        std::to_string(speed) + " baud (answering at " + std::to_string(options_.baud) + " only)";
    // What a real tracker would make of them: a pending image takes them as image data.
    Log(tracker_.AwaitingImage() ? "garbled " + what + " taken as image data" : "ignored " + what);
    response = tracker_.ReceiveGarbled(bytes);
  } else {
    response = tracker_.Receive(bytes);
  }
  if (response.imageStored && !options_.save.empty()) {
    try {
      WriteImageAsConfigFile(options_.save, tracker_.Image());
      Log("saved the image to " + options_.save);
    } catch (const std::exception& error) {
      Log(std::string("could not save the image: ") + error.what());
    }
  }
  if (!response.reply.empty()) {
    if (pending_.empty()) nextDue_ = Clock::now() + byteTime_;
    pending_.insert(pending_.end(), response.reply.begin(), response.reply.end());
  }
  if (response.hangUp) HangUp();
}

void Simulator::SendDueBytes() {
  if (pending_.empty()) return;
  const auto now = Clock::now();
  if (now < nextDue_) return;
  // Every byte whose line time has passed goes out; the line never runs ahead of its speed.
  const auto due = static_cast<std::size_t>(1 + (now - nextDue_) / byteTime_);
  const std::size_t count = std::min(due, pending_.size());
  std::vector<std::uint8_t> bytes(pending_.begin(),
                                  pending_.begin() + static_cast<std::ptrdiff_t>(count));
  const ssize_t written = write(pty_->MasterFd(), bytes.data(), bytes.size());
  if (written > 0) {
    pending_.erase(pending_.begin(), pending_.begin() + written);
    nextDue_ += byteTime_ * written;
  } else if (written < 0 && errno == EAGAIN) {
    nextDue_ = now + byteTime_;  // the client's input queue is full: try again later
  } else {
    ClientGone();
  }
}

void Simulator::ClientPresent() {
  if (clientAway_) Log("client opened the port");
  clientAway_ = false;
}

void Simulator::ClientGone() {
  if (!clientAway_) Log("client closed the port");
  if (!pending_.empty()) {
    Log("reply cut off: " + std::to_string(pending_.size()) + " bytes unsent");
    pending_.clear();
  }
  tracker_.PortClosed();
  clientAway_ = true;
}

void Simulator::HangUp() {
  pending_.clear();
  pty_.reset();  // the client's next read or write fails with EIO
  pty_ = std::make_unique<PseudoTerminal>(options_.baud);
  if (link_) link_->Repoint(pty_->SlavePath());
  Log("hung up; now answering on " + pty_->SlavePath());
  clientAway_ = true;
}

}  // namespace korvaset
