// Usage: ravelbox-startup-probe [bare]
// Goes through the program's start-up and quits as soon as the event loop
// turns once. With "bare", an empty 511 x 384 main window stands in for the
// game's, which gives the floor that start-up time and memory are held to.

#include "mainwindow.h"

#include <QApplication>
#include <QTimer>
#include <QTranslator>

#include <memory>

int main(int argc, char *argv[])
{
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
#endif
    QTranslator translator;
    static_cast<void>(
        translator.load(QStringLiteral(":/zh_cn.qm"), QString(), QString(), QString()));
    QApplication app(argc, argv);
    QCoreApplication::installTranslator(&translator);

    const bool bare = app.arguments().contains(QStringLiteral("bare"));
    std::unique_ptr<QMainWindow> window;
    if (bare) {
        window = std::make_unique<QMainWindow>();
        window->resize(511, 384);
    } else {
        window = std::make_unique<MainWindow>();
    }
    window->show();
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return app.exec();
}
