// SPDX-FileCopyrightText: 2026 The Ravelbox authors
// SPDX-License-Identifier: MIT

// Usage: ravelbox-startup-probe [bare | pause-ms]
// Starts exactly as the program does and quits as soon as the event loop
// turns once. With "bare", an empty main window of the same size stands in
// for the game's, which gives the floor that start-up time and memory are
// held to; only the window makes the difference. "pause-ms" prints how long
// the set-up must pause in all, which the floor adds to the bare window's
// time.

#include "mainwindow.h"
#include "puzzle.h"
#include "startup.h"

#include <QApplication>
#include <QTextStream>
#include <QTimer>

#include <cstring>
#include <memory>

int main(int argc, char *argv[])
{
    if (argc == 2 && std::strcmp(argv[1], "pause-ms") == 0) {
        QTextStream(stdout) << Puzzle::totalPauseMs << '\n';
        return 0;
    }

    Startup::MakeWindow makeWindow;
    if (argc == 2 && std::strcmp(argv[1], "bare") == 0) {
        makeWindow = [] {
            auto window = std::make_unique<QMainWindow>();
            window->resize(MainWindow::initialSize);
            return window;
        };
    }
    const auto quitAtOnce = [](QMainWindow &) {
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        return QApplication::exec();
    };
    return Startup::run(argc, argv, quitAtOnce, makeWindow);
}
