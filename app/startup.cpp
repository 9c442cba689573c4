// SPDX-FileCopyrightText: 2026 The Ravelbox authors
// SPDX-License-Identifier: MIT

#include "startup.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QLibraryInfo>

// Resources of a static library are linked in only when something names them,
// and the macro cannot stand inside a namespace.
static void initTranslationResources()
{
    Q_INIT_RESOURCE(ravelbox_translations);
}

static void initIconResources()
{
    Q_INIT_RESOURCE(ravelbox_icons);
}

namespace Startup {

namespace {

QString programTranslation(const QString &language)
{
    return QStringLiteral(":/i18n/ravelbox_%1.qm").arg(language);
}

QString qtTranslations()
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#else
    return QLibraryInfo::location(QLibraryInfo::TranslationsPath);
#endif
}

} // namespace

void setIdentity()
{
    initIconResources();
    // PNGs rather than the SVG: Qt's SVG icon engine is not always installed.
    QIcon icon;
    const QDir icons(QStringLiteral(":/icons"));
    for (const QString &name : icons.entryList())
        icon.addFile(icons.filePath(name));
    QApplication::setWindowIcon(icon);
    QGuiApplication::setDesktopFileName(QStringLiteral(RAVELBOX_ID));
}

QString programLanguage(const QStringList &uiLanguages)
{
    for (const QString &name : uiLanguages) {
        // "zh-Hans-CN", "de_DE" and "C" alike: the language is the first part.
        const QString language
            = name.section(QLatin1Char('-'), 0, 0).section(QLatin1Char('_'), 0, 0);
        // The texts are written in Chinese, and C shows them as written.
        if (language == QLatin1String("zh") || language == QLatin1String("C")
            || language == QLatin1String("POSIX"))
            return QString();
        if (QFile::exists(programTranslation(language)))
            return language;
    }
    return QStringLiteral("en");
}

Translations::Translations(const QLocale &locale)
{
    initTranslationResources();

    const QString language = programLanguage(locale.uiLanguages());
    if (!language.isEmpty() && m_program.load(programTranslation(language)))
        QCoreApplication::installTranslator(&m_program);
    if (m_qt.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), qtTranslations()))
        QCoreApplication::installTranslator(&m_qt);
}

} // namespace Startup
