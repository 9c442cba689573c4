// SPDX-FileCopyrightText: 2026 The Ravelbox authors
// SPDX-License-Identifier: MIT

#include "platform.h"

#include <QApplication>
#include <QDialog>
#include <QFontDatabase>
#include <QMainWindow>
#include <QRandomGenerator>
#include <QScreen>
#include <QStyle>
#include <QTimer>

#include <emscripten/val.h>

#include <algorithm>

// Resources of a static library are linked in only when something names them,
// and the macro cannot stand inside a namespace.
static void initWebResources()
{
    Q_INIT_RESOURCE(ravelbox_web);
}

namespace Platform {

namespace {

// Up to this many bytes, in steps of malloc's alignment: 65536 layouts.
constexpr quint32 largestShift = 1 << 20;
constexpr quint32 shiftStep = 16;
// What a desktop's Qt gives its widgets; the browser's Qt would use 12 pt,
// which clips the fixed labels.
constexpr int pointSize = 9;
// The window with its frame and title bar, in CSS pixels at full size, and
// a few pixels to spare.
constexpr double framedWidth = 536;
constexpr double framedHeight = 432;
// Smaller than this, 9 pt text would come out under 8 CSS pixels.
constexpr double smallestScale = 8.0 / (pointSize * 96.0 / 72.0);

// The block that shifts the game's allocations moves them only if it is
// really allocated, and a compiler may leave out an allocation that nothing
// reads. Its address is written here, where it escapes, so it cannot be.
char *volatile shiftingBlock = nullptr;

// Tells the page how many windows are open, in data-windows on its body, so
// that tools looking in see a dialog open and close without reading pixels.
// Tool tips do not count.
void reportWindows()
{
    int open = 0;
    for (const QWidget *window : QApplication::topLevelWidgets())
        open += window->isVisible() && window->windowType() != Qt::ToolTip ? 1 : 0;
    emscripten::val::global("document")["body"]["dataset"].set("windows", open);
}

// Follows windows as they show and hide. Browsers hand the keyboard to
// whichever window Qt last made active, and Qt for the web activates neither
// a dialog shown a second time nor the window under a dialog that closed: a
// window manager does both on a desktop. And the page hears of each change.
class WindowWatcher : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Show && event->type() != QEvent::Hide)
            return false;
        if (watched->isWidgetType() && static_cast<QWidget *>(watched)->isWindow())
            QTimer::singleShot(0, this, &reportWindows); // once the change has taken effect
        auto *dialog = qobject_cast<QDialog *>(watched);
        if (!dialog)
            return false;
        if (event->type() == QEvent::Show)
            dialog->activateWindow();
        else if (dialog->parentWidget())
            dialog->parentWidget()->window()->activateWindow();
        return false;
    }
};

void centre(QMainWindow &window)
{
    const QScreen *screen = window.screen();
    const QSize frame = window.frameGeometry().size();
    QRect placed
        = QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, frame, screen->availableGeometry());
    // The title bar stays on the page, however small the page is.
    placed.moveTop(qMax(placed.top(), screen->availableGeometry().top()));
    window.move(placed.topLeft());
}

} // namespace

std::unique_ptr<char[]> reserveMemory()
{
    const quint32 size = QRandomGenerator::system()->bounded(largestShift / shiftStep) * shiftStep;
    // Left uninitialised: nothing reads it, and clearing a megabyte is wasted.
    std::unique_ptr<char[]> block(new char[size + 1]);
    shiftingBlock = block.get();
    return block;
}

// On a screen narrower or lower than the window, such as a phone's, draws
// everything smaller, not below readable text, rather than cut the window
// off: the geometry stays as it is, and Qt maps taps to where they look.
// The page sizes the canvas's place before the game starts.
void followDesktopScale(int, char *[])
{
    if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR"))
        return;
    // Qt fills a container element, or the canvas's place in the page.
    const emscripten::val containers = emscripten::val::module_property("qtContainerElements");
    const emscripten::val canvases = emscripten::val::module_property("qtCanvasElements");
    emscripten::val place = emscripten::val::null();
    if (containers.isArray() && containers["length"].as<int>() > 0)
        place = containers[0];
    else if (canvases.isArray() && canvases["length"].as<int>() > 0)
        place = canvases[0]["parentElement"];
    if (place.isNull() || place.isUndefined())
        return;
    const double fit = std::min({ 1.0, place["clientWidth"].as<double>() / framedWidth,
                                  place["clientHeight"].as<double>() / framedHeight });
    if (fit < 1.0)
        qputenv("QT_SCALE_FACTOR", QByteArray::number(std::max(fit, smallestScale), 'f', 3));
}

QString qtTranslations()
{
    // The web version carries those of the standard buttons with its own.
    return QStringLiteral(":/i18n");
}

// Fonts with the Chinese texts' glyphs, at the desktop's size, and window
// activation that follows the dialogs as a desktop's window manager would.
void setUp()
{
    initWebResources();
    // Qt here has no font of its own: DejaVu Sans draws the Latin, Greek and
    // Cyrillic letters, the Chinese font the rest.
    QStringList families;
    for (const auto *file : { ":/fonts/DejaVuSans.ttf", ":/fonts/ravelbox-cjk.ttf" })
        families += QFontDatabase::applicationFontFamilies(
            QFontDatabase::addApplicationFont(QString::fromLatin1(file)));
    QApplication::setFont(QFont(families, pointSize));
    qApp->installEventFilter(new WindowWatcher(qApp));
}

// Shows the window at its own size, centred in the page, instead of full
// screen, and tells the page when the player has closed it.
void show(QMainWindow &window)
{
    // show() means full screen here, so the window is made visible as it is.
    window.setVisible(true);
    centre(window);
    QObject::connect(window.screen(), &QScreen::availableGeometryChanged, &window,
                     [&window] { centre(window); });
    QObject::connect(qApp, &QGuiApplication::lastWindowClosed, [] {
        emscripten::val::global("document")
            .call<void>("dispatchEvent",
                        emscripten::val::global("Event").new_(emscripten::val("ravelbox-ended")));
    });
}

} // namespace Platform
