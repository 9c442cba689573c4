# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT

# Builds the game for the web with Debian's emscripten against the Qt that
# tools/build-wasm-qt.sh built, whose folder RAVELBOX_WASM_QT names, and runs
# the widget-free tests under node.
include(${CMAKE_CURRENT_LIST_DIR}/CachedQt.cmake)
cached_qt(RAVELBOX_WASM_QT build-wasm-qt.sh "the web" 20)

# Qt finds emscripten through an emsdk folder, which that script lays out
# with links to Debian's.
set(ENV{EMSDK} "${RAVELBOX_WASM_QT}/emsdk")
set(QT_CHAINLOAD_TOOLCHAIN_FILE /usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)
include("${RAVELBOX_WASM_QT}/lib/cmake/Qt6/qt.toolchain.cmake")

# emscripten's own JavaScript passes need Debian's acorn, whichever node runs them.
set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)
# emscripten 3.1.6 defines its own fetch, which node 18 and later refuse unless told.
find_program(NODE NAMES node nodejs REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${NODE} --no-experimental-fetch
    ${CMAKE_CURRENT_LIST_DIR}/../tests/node-run.js)
# lrelease and lupdate run on the build machine: Debian's own serve.
set(Qt6LinguistTools_DIR /usr/lib/x86_64-linux-gnu/cmake/Qt6LinguistTools CACHE PATH "")
