// Resource ids of korvaset.exe, for the code and for korvaset.rc.
#pragma once

#define IDI_KORVASET 128
