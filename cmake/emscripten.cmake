# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright (C) 2026 The Korvaset developers
# The web page's build: Debian's emscripten. Its optimizer needs acorn, which Node finds
# only under /usr/share/nodejs on Debian; every compile and link is started with that path.
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)
set(KORVASET_NODE_ENV ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)
set(CMAKE_CXX_COMPILER_LAUNCHER ${KORVASET_NODE_ENV} CACHE STRING "" FORCE)
set(CMAKE_CXX_LINKER_LAUNCHER ${KORVASET_NODE_ENV} CACHE STRING "" FORCE)
set(ENV{NODE_PATH} /usr/share/nodejs)
