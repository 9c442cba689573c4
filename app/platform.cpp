// SPDX-FileCopyrightText: 2026 The Ravelbox authors
// SPDX-License-Identifier: MIT

#include "platform.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QMainWindow>

#ifdef RAVELBOX_XCB_SCALE
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#endif

namespace Platform {

namespace {

#ifdef RAVELBOX_XCB_SCALE
// The value of the option `name` ("-platform", "-display") in Qt's command
// line, or nullptr.
const char *option(int argc, char *argv[], const char *name)
{
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], name) == 0)
            return argv[i + 1];
    }
    return nullptr;
}

// Whether the X server's resources set Xft.dpi, the desktop's scaling setting.
bool desktopSetsDpi(const char *display)
{
    xcb_connection_t *connection = xcb_connect(display, nullptr);
    bool set = false;
    if (!xcb_connection_has_error(connection)) {
        const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
        const xcb_get_property_cookie_t cookie
            = xcb_get_property(connection, false, screen->root, XCB_ATOM_RESOURCE_MANAGER,
                               XCB_ATOM_STRING, 0, 1 << 16);
        if (xcb_get_property_reply_t *reply = xcb_get_property_reply(connection, cookie, nullptr)) {
            const QByteArray resources(static_cast<const char *>(xcb_get_property_value(reply)),
                                       xcb_get_property_value_length(reply));
            std::free(reply);
            for (const QByteArray &line : resources.split('\n')) {
                if (line.startsWith("Xft.dpi:") && line.mid(8).trimmed().toInt() > 0)
                    set = true;
            }
        }
    }
    xcb_disconnect(connection);
    return set;
}
#endif

} // namespace

std::unique_ptr<char[]> reserveMemory()
{
    return nullptr;
}

void followDesktopScale([[maybe_unused]] int argc, [[maybe_unused]] char *argv[])
{
#ifdef RAVELBOX_XCB_SCALE
    // Qt 5 on X11 scales by Xft.dpi when the desktop sets it, as Qt 6 does,
    // but without it by the monitor's physical DPI, where Qt 6 takes 96:
    // 100 dpi would draw everything at 1.04 times, blurred. 96 it is, then,
    // unless the player asked Qt for another DPI. The offscreen platform
    // (headless runs, screenshots without a display) always reports 100.
    const char *platform = option(argc, argv, "-platform");
    if (!platform)
        platform = std::getenv("QT_QPA_PLATFORM");
    const bool offscreen = platform && std::strncmp(platform, "offscreen", 9) == 0;
    if (qEnvironmentVariableIsSet("QT_FONT_DPI")
        || (!offscreen && platform && *platform && std::strncmp(platform, "xcb", 3) != 0))
        return;
    if (offscreen || !desktopSetsDpi(option(argc, argv, "-display")))
        qputenv("QT_FONT_DPI", "96");
#endif
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
