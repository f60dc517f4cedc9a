// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 The Korvaset developers
#pragma once

#include <string>

namespace korvaset {

// The master side of a pseudo-terminal whose slave is the simulated tracker's serial port.
// The slave is put in raw mode at creation, before any client can open it, so that no
// line discipline ever echoes or translates the tracker's binary bytes. It starts at the
// tracker's speed, as a port set up for the tracker would: a client that puts back the
// settings it found when it closes then leaves the speed of its last bytes as it was,
// even when the simulator reads them a little later.
class PseudoTerminal {
 public:
  // Creates a new pair at this line speed (4800 or 9600). Throws std::system_error when the
  // system refuses.
  explicit PseudoTerminal(int baud);
  ~PseudoTerminal();
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;

  int MasterFd() const { return master_; }
  const std::string& SlavePath() const { return slavePath_; }

  // The speed the client has set on the slave side, in baud; 0 when it is none we know.
  int LineSpeed() const;

 private:
  int master_ = -1;
  std::string slavePath_;
};

}  // namespace korvaset
