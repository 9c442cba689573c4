// SPDX-FileCopyrightText: 2026 The Ravelbox authors
// SPDX-License-Identifier: MIT

#include "mainwindow.h"
#include "startup.h"

#include <QApplication>
#include <QTranslator>

int main(int argc, char *argv[])
{
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    // Must be set before the application object exists to take effect.
    // Qt 6 always scales for high DPI and has deprecated the attribute.
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
#endif

    // Nothing ships at this path; it is looked up all the same, first.
    QTranslator translator;
    static_cast<void>(
        translator.load(QStringLiteral(":/zh_cn.qm"), QString(), QString(), QString()));

    QApplication app(argc, argv);
    QCoreApplication::installTranslator(&translator);
    // Installed after the one above, so they are consulted before it.
    const Startup::Translations translations(QLocale::system());
    Startup::setIdentity();

    MainWindow window;
    window.show();
    return app.exec();
}
