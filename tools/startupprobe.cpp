// Usage: ravelbox-startup-probe [bare]
// Creates and shows the game's window like the program does, and quits as
// soon as the event loop turns once. With "bare", an empty 511 x 384 main
// window stands in for the game's, which gives the floor that start-up time
// and memory are held to. Both modes share everything else, so only the
// window makes the difference.

#include "mainwindow.h"

#include <QApplication>
#include <QTimer>

#include <memory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);

    std::unique_ptr<QMainWindow> window;
    if (app.arguments().contains(QStringLiteral("bare"))) {
        window = std::make_unique<QMainWindow>();
        window->resize(511, 384);
    } else {
        window = std::make_unique<MainWindow>();
    }
    window->show();
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return app.exec();
}
