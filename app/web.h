// SPDX-FileCopyrightText: 2026 The Ravelbox authors
// SPDX-License-Identifier: MIT

#ifndef WEB_H
#define WEB_H

#include <QtGlobal>

#include <memory>

QT_BEGIN_NAMESPACE
class QMainWindow;
QT_END_NAMESPACE

// What the browser needs that a desktop gives the game by itself. Built into
// the web version only.
namespace Web {

// WebAssembly lays out memory the same way on every load, so the dialogs
// would have the same addresses for every player. Taking a block of random
// size before anything else is allocated moves everything after it, as
// address randomisation does on a desktop, without touching the order of the
// game's own allocations. The block must live as long as the program.
std::unique_ptr<char[]> shiftHeap();

// Fonts with the Chinese texts' glyphs, at the desktop's size, and window
// activation that follows the dialogs as a desktop's window manager would.
void setUp();

// Shows the window at its own size, centred in the page, instead of full
// screen, and tells the page when the player has closed it.
void show(QMainWindow &window);

} // namespace Web

#endif // WEB_H
