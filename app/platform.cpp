// SPDX-FileCopyrightText: 2026 The Ravelbox authors
// SPDX-License-Identifier: MIT

#include "platform.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QMainWindow>

namespace Platform {

std::unique_ptr<char[]> reserveMemory()
{
    return nullptr;
}

QString qtTranslations()
{
#if defined(Q_OS_WIN)
    // The Windows folder carries them beside the program.
    return QCoreApplication::applicationDirPath() + QLatin1String("/translations");
#elif QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#else
    return QLibraryInfo::location(QLibraryInfo::TranslationsPath);
#endif
}

void setUp() { }

void show(QMainWindow &window)
{
    window.show();
}

} // namespace Platform
