// SPDX-FileCopyrightText: 2026 The Ravelbox authors
// SPDX-License-Identifier: MIT

#ifndef STARTUP_H
#define STARTUP_H

#include <QLocale>
#include <QTranslator>

// What the program sets up around its window, shared with the tools that
// start the way it does.
namespace Startup {

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
