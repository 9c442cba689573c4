// SPDX-FileCopyrightText: 2026 The Ravelbox authors
// SPDX-License-Identifier: MIT

#ifndef STARTUP_H
#define STARTUP_H

#include <QLocale>
#include <QTranslator>

#include <functional>
#include <memory>

QT_BEGIN_NAMESPACE
class QMainWindow;
QT_END_NAMESPACE

// The program from start to end, shared with the tests and tools that must
// start exactly the way it does.
namespace Startup {

// Builds the window to show; the game's own unless a tool asks for another.
using MakeWindow = std::function<std::unique_ptr<QMainWindow>()>;
// Runs once the window is shown and returns the exit status; the event loop
// until the window is closed unless a test or tool asks for something else.
using Play = std::function<int(QMainWindow &window)>;

// Sets Qt up, installs the translations, builds and shows the window, plays
// and tears everything down again in reverse order. When no display can be
// reached, says so in one line and returns 1 instead of aborting.
int run(int argc, char *argv[], const Play &play = {}, const MakeWindow &makeWindow = {});

// Gives every window the game's icon and tells the desktop which menu entry
// the program belongs to, so task bars and compositors match the two.
void setIdentity();

// The language of the translation to show for these preferred languages
// (QLocale::uiLanguages(), most preferred first): the first that ships a
// translation, "" for the original texts when a C or Chinese locale comes
// first, and English when none of them ships.
QString programLanguage(const QStringList &uiLanguages);

// Installs, while it lives, the program's translation for `locale` and Qt's
// own, which gives the standard buttons their words in the player's language.
class Translations
{
public:
    explicit Translations(const QLocale &locale);

    Translations(const Translations &) = delete;
    Translations &operator=(const Translations &) = delete;

private:
    QTranslator m_program;
    QTranslator m_qt;
};

} // namespace Startup

#endif // STARTUP_H
