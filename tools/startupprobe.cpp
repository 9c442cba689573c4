// SPDX-FileCopyrightText: 2026 The Ravelbox authors
// SPDX-License-Identifier: MIT

// Usage: ravelbox-startup-probe [bare | pause-ms]
// Creates and shows the game's window like the program does, and quits as
// soon as the event loop turns once. With "bare", an empty main window of the
// same size stands in for the game's, which gives the floor that start-up
// time and memory are held to. Both modes share everything else, so only the
// window makes the difference. "pause-ms" prints how long the set-up must
// pause in all, which the floor adds to the bare window's time.

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

    QApplication app(argc, argv);
    const Startup::Translations translations(QLocale::system());
    Startup::setIdentity();

    std::unique_ptr<QMainWindow> window;
    if (app.arguments().contains(QStringLiteral("bare"))) {
        window = std::make_unique<QMainWindow>();
        window->resize(MainWindow::initialSize);
    } else {
        window = std::make_unique<MainWindow>();
    }
    window->show();
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return app.exec();
}
