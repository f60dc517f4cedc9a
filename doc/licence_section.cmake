# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Korvaset developers
# Writes OUTPUT, a help2man include with a COPYRIGHT section: the lines that PROGRAM's
# --version prints after the version line. help2man starts that section only at a line that
# begins with "Copyright"; without one it would append the licence to the last section of
# --help.
# Usage: cmake -DPROGRAM=... -DOUTPUT=... -P licence_section.cmake
execute_process(COMMAND ${PROGRAM} --version OUTPUT_VARIABLE text COMMAND_ERROR_IS_FATAL ANY)
string(FIND "${text}" "\n" end)
math(EXPR start "${end} + 1")
string(SUBSTRING "${text}" ${start} -1 text)
string(STRIP "${text}" text)
string(REPLACE "\n" "\n.br\n" text "${text}")
file(WRITE ${OUTPUT} "[COPYRIGHT]\n${text}\n")
