#pragma once

#include <windows.h>

namespace korvaset {

// Runs the About box over owner until it closes: the application icon, the version and
// copyright texts and OK, from the About box's layout table.
void RunAboutBox(HWND owner);

}  // namespace korvaset
