#include "mainwindow.h"

#include <QApplication>
#include <QTranslator>

int main(int argc, char *argv[])
{
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    // Must be set before the application object exists to take effect.
    // Qt 6 always scales for high DPI and has deprecated the attribute.
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
#endif

    // No translation ships; when none is found the source texts are shown.
    QTranslator translator;
    static_cast<void>(
        translator.load(QStringLiteral(":/zh_cn.qm"), QString(), QString(), QString()));

    QApplication app(argc, argv);
    QCoreApplication::installTranslator(&translator);

    MainWindow window;
    window.show();
    return app.exec();
}
