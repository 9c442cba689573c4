// SPDX-FileCopyrightText: 2026 The Ravelbox authors
// SPDX-License-Identifier: MIT

#include "mainwindow.h"
#include "modalhelpers.h"
#include "qdialog1.h"
#include "qdialog2.h"

#include <QAccessible>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolTip>
#include <QtTest>

namespace {

// The shortest time the set-up may take: players know the window for
// appearing after its 140 pauses of 3 ms. Ten times that means something
// slow crept in; a loaded machine stays well below.
constexpr qint64 setUpMs = 420;
constexpr qint64 slowSetUpMs = 5000;

// What opens the dialog in a row of the play table.
enum class Trigger {
    Click,
    ReturnInField,
    EnterInField,
    ReturnOnButton,
    EnterOnButton,
    SpaceOnButton
};

quintptr addressOf(const QObject *object)
{
    return reinterpret_cast<quintptr>(object);
}

QString hex(const QObject *object)
{
    return QString::number(addressOf(object), 16);
}

bool isFiller(const QObject *object)
{
    return object->metaObject() == &QObject::staticMetaObject;
}

} // namespace

Q_DECLARE_METATYPE(Trigger)

class tst_MainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();
    void construction();
    void clueTexts();
    void clueLabels();
    void tabSelectsAndCopies();
    void pressOnValue_data();
    void pressOnValue();
    void screenReaderNames_data();
    void screenReaderNames();
    void play_data();
    void play();
    void closeFromKeyboard_data();
    void closeFromKeyboard();

private:
    MainWindow *window = nullptr;
    QDialog1 *fail = nullptr;
    QDialog2 *success = nullptr;
    QLineEdit *field = nullptr;
    QPushButton *button = nullptr;
    QLabel *address = nullptr;
    QLabel *clue = nullptr;
};

void tst_MainWindow::initTestCase()
{
    window = new MainWindow;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    fail = window->findChild<QDialog1 *>();
    success = window->findChild<QDialog2 *>();
    field = window->findChild<QLineEdit *>(QStringLiteral("geewf"));
    button = window->findChild<QPushButton *>(QStringLiteral("asdwg"));
    address = window->findChild<QLabel *>(QStringLiteral("cewf"));
    clue = window->findChild<QLabel *>(QStringLiteral("wcxc"));
    QVERIFY(fail && success && field && button && address && clue);

    // Typing can start at once.
    QVERIFY(QTest::qWaitForWindowActive(window));
    QCOMPARE(QApplication::focusWidget(), field);
}

void tst_MainWindow::cleanupTestCase()
{
    delete window;
}

void tst_MainWindow::cleanup()
{
    QVERIFY2(leftNoWindows(window), "the test left a window open or behind");
}

void tst_MainWindow::construction()
{
    QElapsedTimer timer;
    timer.start();
    MainWindow fresh;
    const qint64 elapsed = timer.elapsed();
    QVERIFY2(elapsed >= setUpMs, "the set-up's pauses were skipped");
    QVERIFY2(elapsed < slowSetUpMs,
             qPrintable(QStringLiteral("the set-up took %1 ms").arg(elapsed)));

    // The fillers are created after the FAIL dialog and before the SUCCESS one.
    const QObjectList children = fresh.children();
    const int first = children.indexOf(fresh.findChild<QDialog1 *>());
    const int last = children.indexOf(fresh.findChild<QDialog2 *>());
    QVERIFY(first >= 0 && last > first);
    const long passes = 14;
    QCOMPARE(std::count_if(children.begin(), children.end(), isFiller), passes);
    QCOMPARE(std::count_if(children.begin() + first, children.begin() + last, isFiller), passes);

    QVERIFY(fresh.findChild<QDialog1 *>()->isHidden());
    QVERIFY(fresh.findChild<QDialog2 *>()->isHidden());
}

void tst_MainWindow::clueTexts()
{
    QCOMPARE(address->text(), QLatin1String("0x") + hex(fail));

    // Rebuilt here from the live addresses: the digit sum 713 is odd, so the
    // distance goes in at 5, then the clue character (odd when FAIL is above).
    const qint64 difference = qint64(addressOf(fail)) - qint64(addressOf(success));
    const qint64 distance = difference / 24;
    QString expected = QStringLiteral("10121282157740");
    expected.insert(5, QString::number(qAbs(distance)));
    expected.insert(13, QLatin1String(distance > 0 ? "51" : "48"));
    QCOMPARE(clue->text(), expected);
}

void tst_MainWindow::clueLabels()
{
    // Long clues are clipped by the fixed label, not wrapped or grown; the
    // tool tip shows them whole.
    QCOMPARE(clue->geometry(), QRect(190, 120, 111, 16));
    QVERIFY(!clue->wordWrap());
    QCOMPARE(clue->toolTip(), clue->text());
    QCOMPARE(address->toolTip(), address->text());
}

void tst_MainWindow::tabSelectsAndCopies()
{
    // Tab goes from the field through the button to both values and back;
    // a value reached so is selected whole, and Ctrl+C copies it at once.
    field->setFocus();
    const QList<QWidget *> tabOrder = { button, address, clue, field };
    for (QWidget *next : tabOrder) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), next);
        if (auto *value = qobject_cast<QLabel *>(next)) {
            QCOMPARE(value->selectedText(), value->text());
            QTest::keyClick(value, Qt::Key_C, Qt::ControlModifier);
            QCOMPARE(QGuiApplication::clipboard()->text(), value->text());
        }
    }
    QTest::keyClick(field, Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), clue);
    QCOMPARE(clue->selectedText(), clue->text());
}

void tst_MainWindow::pressOnValue_data()
{
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<bool>("touch");

    // A click places the cursor, as in any text, and selects and copies
    // nothing; a finger, which has no hover and no keys, gets the whole
    // value in a tool tip and in the clipboard.
    QTest::newRow("click on the address") << QStringLiteral("cewf") << false;
    QTest::newRow("tap on the address") << QStringLiteral("cewf") << true;
    QTest::newRow("tap on the key") << QStringLiteral("wcxc") << true;
}

void tst_MainWindow::pressOnValue()
{
    QFETCH(QString, objectName);
    QFETCH(bool, touch);
    auto *value = window->findChild<QLabel *>(objectName);
    const QString untouched = QStringLiteral("nothing copied");
    QGuiApplication::clipboard()->setText(untouched);
    const QPoint point(40, 8);
    if (touch) {
        static auto *finger = QTest::createTouchDevice();
        QTest::touchEvent(window, finger).press(0, value->mapTo(window, point), window);
        QTest::touchEvent(window, finger).release(0, value->mapTo(window, point), window);
    } else {
        QTest::mouseClick(value, Qt::LeftButton, Qt::NoModifier, point);
        QCOMPARE(QApplication::focusWidget(), value);
        QVERIFY(value->selectedText().isEmpty());
    }
    QCOMPARE(QGuiApplication::clipboard()->text(), touch ? value->text() : untouched);
    QCOMPARE(QToolTip::isVisible(), touch);
    if (touch)
        QCOMPARE(QToolTip::text(), value->text());
    QToolTip::hideText();
}

void tst_MainWindow::screenReaderNames_data()
{
    QTest::addColumn<QString>("objectName");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("name");

    // A reader speaks the caption, each one's label, then the name: the
    // field's caption again, a value's whole clue ("" stands for it), which
    // a caption as the name would hide.
    QTest::newRow("field") << QStringLiteral("geewf") << QStringLiteral("wcxc_4")
                           << QStringLiteral("最终地址：0x");
    QTest::newRow("address") << QStringLiteral("cewf") << QStringLiteral("wcxc_3") << QString();
    QTest::newRow("key") << QStringLiteral("wcxc") << QStringLiteral("wcxc_2") << QString();
}

void tst_MainWindow::screenReaderNames()
{
    QFETCH(QString, objectName);
    QFETCH(QString, caption);
    QFETCH(QString, name);
    auto *widget = window->findChild<QWidget *>(objectName);
    auto *label = window->findChild<QLabel *>(caption);
    QVERIFY(widget && label);
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(widget);
    QVERIFY(accessible);
    if (auto *value = qobject_cast<QLabel *>(widget)) {
        QVERIFY(!value->text().isEmpty());
        name = value->text();
    }
    QCOMPARE(accessible->text(QAccessible::Name), name);
    const auto labels = accessible->relations(QAccessible::Label);
    QCOMPARE(labels.size(), 1);
    QCOMPARE(labels.first().first->object(), label);
}

void tst_MainWindow::play_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<Trigger>("trigger");
    QTest::addColumn<int>("times");
    QTest::addColumn<bool>("opensSuccess");

    // {fail}, {success} and {window} stand for those objects' addresses.
    // Only the SUCCESS dialog's address opens it, however it is written.
    const auto click = [](const char *name, const char *typed, int times, bool success) {
        QTest::newRow(name) << QString::fromLatin1(typed) << Trigger::Click << times << success;
    };
    click("success, lower case", "{success}", 2, true);
    click("success, upper case", "{SUCCESS}", 2, true);
    click("success, with 0x", "0x{success}", 2, true);
    click("success, with 0X", "0X{SUCCESS}", 2, true);
    click("fail address", "{fail}", 2, false);
    click("window address", "{window}", 2, false);
    click("empty", "", 2, false);
    click("word", "puzzle", 2, false);
    click("negative", "-{success}", 2, false);
    click("overflow", "1{success}{success}", 2, false);
    click("success plus one", "{success}1", 2, false);

    // Every key that stands for the button opens one dialog, the same one.
    const std::pair<Trigger, const char *> keys[]
        = { { Trigger::ReturnInField, "Return in field" },
            { Trigger::EnterInField, "Enter in field" },
            { Trigger::ReturnOnButton, "Return on button" },
            { Trigger::EnterOnButton, "Enter on button" },
            { Trigger::SpaceOnButton, "Space on button" } };
    for (const auto &[trigger, name] : keys) {
        QTest::addRow("%s, right address", name) << "{success}" << trigger << 1 << true;
        QTest::addRow("%s, wrong address", name) << "{fail}" << trigger << 1 << false;
    }

    // Opened again and again, the same dialog comes back unchanged and
    // nothing piles up in the window.
#ifdef Q_OS_WIN
    const int many = 50; // Each round trip is slower under Wine.
#else
    const int many = 200;
#endif
    click("FAIL many times", "", many, false);
    click("SUCCESS many times", "{success}", many, true);
}

void tst_MainWindow::play()
{
    QFETCH(QString, typed);
    QFETCH(Trigger, trigger);
    QFETCH(int, times);
    QFETCH(bool, opensSuccess);

    typed.replace(QLatin1String("{success}"), hex(success))
        .replace(QLatin1String("{SUCCESS}"), hex(success).toUpper())
        .replace(QLatin1String("{fail}"), hex(fail))
        .replace(QLatin1String("{window}"), hex(window));
    field->clear();
    QTest::keyClicks(field, typed);
    QCOMPARE(field->text(), typed);

    const auto press = [](QWidget *target, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        target->setFocus();
        QTest::keyClick(target, key, modifiers);
    };
    const auto pull = [&] {
        switch (trigger) {
        case Trigger::Click:
            QTest::mouseClick(button, Qt::LeftButton);
            return;
        case Trigger::ReturnInField:
            return press(field, Qt::Key_Return);
        case Trigger::EnterInField:
            return press(field, Qt::Key_Enter, Qt::KeypadModifier);
        case Trigger::ReturnOnButton:
            return press(button, Qt::Key_Return);
        case Trigger::EnterOnButton:
            return press(button, Qt::Key_Enter, Qt::KeypadModifier);
        case Trigger::SpaceOnButton:
            return press(button, Qt::Key_Space);
        }
    };

    QDialog *expected = opensSuccess ? static_cast<QDialog *>(success) : fail;
    DialogCloser closer;
    QObjectList childrenBefore;
    QList<QWidget *> widgetsBefore;
    // The banner only: the buttons below it may be drawn with focus or hover.
    const QRect bannerArea(0, 0, expected->width(), 240);
    QImage bannerBefore;
    for (int time = 1; time <= times; ++time) {
        pull();
        QCOMPARE(closer.opened.size(), time);
        QCOMPARE(closer.opened.last(), expected);
        // Compared with the state after the first opening: showing a dialog
        // once polishes it and gives its default button focus. The style's
        // short-lived animations come and go on their own.
        if (time == 1) {
            childrenBefore = window->children();
            widgetsBefore = window->findChildren<QWidget *>();
            bannerBefore = expected->grab(bannerArea).toImage();
        }
    }
    QVERIFY2(closer.openedModeless.isEmpty(), "a dialog opened without waiting for the player");
    QCOMPARE(field->text(), typed);
    QCOMPARE(window->children(), childrenBefore);
    QCOMPARE(window->findChildren<QWidget *>(), widgetsBefore);
    QCOMPARE(expected->grab(bannerArea).toImage(), bannerBefore);
}

void tst_MainWindow::closeFromKeyboard_data()
{
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<bool>("closes");
    QTest::newRow("Ctrl+W") << QKeySequence(Qt::CTRL | Qt::Key_W) << true;
    // Ctrl+Q on Linux desktops; Windows has no such key.
    if (!QKeySequence(QKeySequence::Quit).isEmpty())
        QTest::newRow("the desktop's Quit") << QKeySequence(QKeySequence::Quit) << true;
    QTest::newRow("Escape") << QKeySequence(Qt::Key_Escape) << false;
}

void tst_MainWindow::closeFromKeyboard()
{
    QFETCH(QKeySequence, keys);
    QFETCH(bool, closes);

    // Shortcuts reach only the active window; on the offscreen platform the
    // closed dialog may still hold the activation.
    QApplication::setActiveWindow(window);
    field->setFocus();
    QTest::keySequence(field, keys);
    QCOMPARE(window->isVisible(), !closes);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
}

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
