// SPDX-FileCopyrightText: 2026 The Ravelbox authors
// SPDX-License-Identifier: MIT

// Usage: ravelbox-screenshots DIR (or tools/screenshots.sh DIR, which picks
// the offscreen platform when there is no display)
// Renders the real widgets and writes mainwindow.png, fail.png and
// success.png into DIR.

#include "mainwindow.h"
#include "qdialog1.h"
#include "qdialog2.h"

#include <QApplication>
#include <QDir>
#include <QTextStream>

namespace {

bool save(QWidget *widget, const QDir &dir, const QString &name)
{
    const QString path = dir.filePath(name);
    if (!widget->grab().save(path)) {
        QTextStream(stderr) << "cannot write " << path << '\n';
        return false;
    }
    QTextStream(stdout) << path << '\n';
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (app.arguments().size() != 2) {
        QTextStream(stderr) << "usage: ravelbox-screenshots DIR\n";
        return 2;
    }
    QDir dir(app.arguments().at(1));
    if (!dir.mkpath(QStringLiteral("."))) {
        QTextStream(stderr) << "cannot create " << dir.path() << '\n';
        return 1;
    }

    MainWindow window;
    window.show();
    QCoreApplication::processEvents();

    const bool ok = save(&window, dir, QStringLiteral("mainwindow.png"))
        && save(window.findChild<QDialog1 *>(), dir, QStringLiteral("fail.png"))
        && save(window.findChild<QDialog2 *>(), dir, QStringLiteral("success.png"));
    return ok ? 0 : 1;
}
