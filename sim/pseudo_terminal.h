#pragma once

#include <string>

namespace korvaset {

// The master side of a pseudo-terminal whose slave is the simulated tracker's serial port.
// The slave is put in raw mode at creation, before any client can open it, so that no
// line discipline ever echoes or translates the tracker's binary bytes.
class PseudoTerminal {
 public:
  // Creates a new pair. Throws std::system_error when the system refuses.
  PseudoTerminal();
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
