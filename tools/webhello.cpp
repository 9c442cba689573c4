// SPDX-FileCopyrightText: 2026 The Ravelbox authors
// SPDX-License-Identifier: MIT

// A Qt Widgets hello-world window for the web, built from the same Qt as the
// game, which tools/measure-web.py holds the game's download, first frame
// and memory to.

#include <QApplication>
#include <QFontDatabase>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/DejaVuSans.ttf"));
    QLabel hello(QStringLiteral("Hello, world"));
    hello.resize(511, 384);
    hello.show();
    return QApplication::exec();
}
