#pragma once

namespace korvaset {

// The busy cursor over every window of the program while a device operation blocks the
// one thread; the previous cursor comes back when the guard ends.
class WaitCursor {
 public:
  WaitCursor();
  ~WaitCursor();
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

// The normal cursor for as long as a message box waits for the user, also in the middle
// of a device operation; nothing changes when no busy cursor is showing.
class NormalCursorWhileAsking {
 public:
  NormalCursorWhileAsking();
  ~NormalCursorWhileAsking();
  NormalCursorWhileAsking(const NormalCursorWhileAsking&) = delete;
  NormalCursorWhileAsking& operator=(const NormalCursorWhileAsking&) = delete;

 private:
  bool pushed_ = false;
};

}  // namespace korvaset
