// SPDX-FileCopyrightText: 2026 The Ravelbox authors
// SPDX-License-Identifier: MIT

#ifndef PLATFORM_H
#define PLATFORM_H

#include <QString>

#include <memory>

QT_BEGIN_NAMESPACE
class QMainWindow;
QT_END_NAMESPACE

// Where start-up differs between a desktop and the browser. platform.cpp
// builds it for desktops, web.cpp for the web version.
namespace Platform {

// Taken before anything else is allocated and kept until the program ends.
// A desktop randomises addresses by itself and takes nothing; WebAssembly
// lays out memory the same way on every load, so the web version takes a
// block of random size, which moves everything after it without touching
// the order of the game's own allocations.
std::unique_ptr<char[]> reserveMemory();

// Before the application object exists: makes the scale follow the desktop's
// own setting. Only Qt 5 on X11 needs telling; Qt 6 does it by itself.
void followDesktopScale(int argc, char *argv[]);

// The folder (or resource prefix) that holds Qt's own translations.
QString qtTranslations();

// Anything the platform needs once the application object exists.
void setUp();

// Shows the game's window.
void show(QMainWindow &window);

} // namespace Platform

#endif // PLATFORM_H
