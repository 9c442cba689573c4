// SPDX-FileCopyrightText: 2026 The Ravelbox authors
// SPDX-License-Identifier: MIT

#include "startup.h"

#include "mainwindow.h"
#include "platform.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QIcon>

#include <cstdio>
#include <cstdlib>

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

// While the application object is built, holds back Qt's messages. When no
// platform can start, which is what an unreachable display comes to, it
// prints one line that says what failed and exits with status 1, where Qt
// would abort and leave a core file; otherwise it hands the messages on.
class DisplayGuard
{
public:
    DisplayGuard() { s_previous = qInstallMessageHandler(&DisplayGuard::handle); }

    ~DisplayGuard()
    {
        qInstallMessageHandler(s_previous);
        handOn();
    }

    DisplayGuard(const DisplayGuard &) = delete;
    DisplayGuard &operator=(const DisplayGuard &) = delete;

private:
    // A copy of everything the handler was given: the context only points
    // into memory that may be gone by the time the message is handed on.
    struct Message
    {
        QtMsgType type;
        QByteArray file;
        int line;
        QByteArray function;
        QByteArray category;
        QString text;
    };

    // A null pointer stays null, as handlers may tell "unknown" from "".
    static const char *data(const QByteArray &bytes)
    {
        return bytes.isNull() ? nullptr : bytes.constData();
    }

    static void handOn()
    {
        for (const Message &message : std::as_const(s_held)) {
            const QMessageLogContext context(data(message.file), message.line,
                                             data(message.function), data(message.category));
            s_previous(message.type, context, message.text);
        }
        s_held.clear();
    }

    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &text)
    {
        if (type != QtFatalMsg) {
            s_held.append({ type, QByteArray(context.file), context.line,
                            QByteArray(context.function), QByteArray(context.category), text });
            return;
        }
        if (!text.contains(QLatin1String("platform plugin"))) {
            handOn();
            s_previous(type, context, text);
            return;
        }
        // The first thing the platform said is the cause, such as "could not
        // connect to display :87"; Qt's own last word only names the plugin.
        const QString cause
            = s_held.isEmpty() ? text.section(QLatin1Char('\n'), 0, 0) : s_held.first().text;
        std::fprintf(stderr,
                     "ravelbox: cannot show the window: %s. Start Ravelbox from a desktop "
                     "session, or under xvfb-run where there is no display.\n",
                     qUtf8Printable(cause.trimmed()));
        std::fflush(stderr);
        std::_Exit(1);
    }

    static inline QtMessageHandler s_previous = nullptr;
    static inline QList<Message> s_held;
};

std::unique_ptr<QMainWindow> makeGameWindow()
{
    return std::make_unique<MainWindow>();
}

int playUntilClosed(QMainWindow &)
{
    return QApplication::exec();
}

} // namespace

int run(int argc, char *argv[], const Play &play, const MakeWindow &makeWindow)
{
    const std::unique_ptr<char[]> reserved = Platform::reserveMemory();
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    // Must be set before the application object exists to take effect.
    // Qt 6 always scales for high DPI and has deprecated the attribute.
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
    // 125 %, 150 % and 175 % as they are, as Qt 6 does: Qt 5 would round
    // 150 % up to 200 % and fill most of a small laptop screen.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
#endif
    Platform::followDesktopScale(argc, argv);

    // Nothing ships at this path; it is looked up all the same, first.
    QTranslator translator;
    static_cast<void>(
        translator.load(QStringLiteral(":/zh_cn.qm"), QString(), QString(), QString()));

    std::unique_ptr<DisplayGuard> guard = std::make_unique<DisplayGuard>();
    QApplication app(argc, argv);
    guard.reset();
    QCoreApplication::installTranslator(&translator);
    // Installed after the one above, so they are consulted before it.
    const Translations translations(QLocale::system());
    setIdentity();
    Platform::setUp();

    const std::unique_ptr<QMainWindow> window = makeWindow ? makeWindow() : makeGameWindow();
    Platform::show(*window);
    return play ? play(*window) : playUntilClosed(*window);
}

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
    // The web page makes the same choice from the browser's languages, by
    // the same rule: keep the two alike.
    for (const QString &name : uiLanguages) {
        // "zh-Hans-CN", "pt_BR" and "C" alike: the language is the first part,
        // the territory the last, in any case.
        const QStringList parts = QString(name).replace(QLatin1Char('-'), QLatin1Char('_'))
                                          .split(QLatin1Char('_'), Qt::SkipEmptyParts);
        if (parts.isEmpty())
            continue;
        const QString language = parts.first().toLower();
        // The texts are written in Chinese, and C shows them as written.
        if (language == QLatin1String("zh") || language == QLatin1String("c")
            || language == QLatin1String("posix"))
            return QString();
        // Brazilian Portuguese where that is written, else the language's own.
        const QString territorial = language + QLatin1Char('_') + parts.last().toUpper();
        if (parts.size() > 1 && QFile::exists(programTranslation(territorial)))
            return territorial;
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
    if (m_qt.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                  Platform::qtTranslations()))
        QCoreApplication::installTranslator(&m_qt);
}

} // namespace Startup
