// SPDX-FileCopyrightText: 2026 The Ravelbox authors
// SPDX-License-Identifier: MIT

#include "mainwindow.h"
#include "modalhelpers.h"
#include "puzzle.h"
#include "qdialog1.h"
#include "qdialog2.h"

#include <QAccessible>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

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

class tst_MainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();
    void construction();
    void clues();
    void ownsEverything();
    void play_data();
    void play();
    void returnInField_data();
    void returnInField();

private:
    MainWindow *window = nullptr;
    QDialog1 *fail = nullptr;
    QDialog2 *success = nullptr;
    QLineEdit *field = nullptr;
    QPushButton *button = nullptr;
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
    QVERIFY(fail && success && field && button);

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
    QTRY_VERIFY(strayWindows(window).isEmpty());
}

void tst_MainWindow::construction()
{
    QElapsedTimer timer;
    timer.start();
    MainWindow fresh;
    QVERIFY2(timer.elapsed() >= Puzzle::totalPauseMs, "the set-up's pauses were skipped");

    // The fillers are created after the FAIL dialog and before the SUCCESS one.
    const QObjectList children = fresh.children();
    const int first = children.indexOf(fresh.findChild<QDialog1 *>());
    const int last = children.indexOf(fresh.findChild<QDialog2 *>());
    QVERIFY(first >= 0 && last > first);
    const long passes = Puzzle::passCount;
    QCOMPARE(std::count_if(children.begin(), children.end(), isFiller), passes);
    QCOMPARE(std::count_if(children.begin() + first, children.begin() + last, isFiller), passes);

    QVERIFY(fresh.findChild<QDialog1 *>()->isHidden());
    QVERIFY(fresh.findChild<QDialog2 *>()->isHidden());
}

void tst_MainWindow::clues()
{
    auto *address = window->findChild<QLabel *>(QStringLiteral("cewf"));
    auto *clue = window->findChild<QLabel *>(QStringLiteral("wcxc"));
    QCOMPARE(address->text(), QLatin1String("0x") + hex(fail));

    // Rebuilt here from the live addresses: the digit sum 713 is odd, so the
    // distance goes in at 5, then the clue character (odd when FAIL is above).
    const qint64 difference = qint64(addressOf(fail)) - qint64(addressOf(success));
    const qint64 distance = difference / 24;
    QString expected = QStringLiteral("10121282157740");
    expected.insert(5, QString::number(qAbs(distance)));
    expected.insert(13, QLatin1String(distance > 0 ? "51" : "48"));
    QCOMPARE(clue->text(), expected);

    // Long clues are clipped by the fixed label, not wrapped or grown.
    QCOMPARE(clue->geometry(), QRect(190, 120, 111, 16));
    QVERIFY(!clue->wordWrap());
    QCOMPARE(clue->toolTip(), clue->text());
    QCOMPARE(address->toolTip(), address->text());

    // Tab goes from the field through the button to both values, which the
    // keyboard can select and copy.
    field->setFocus();
    const QList<QWidget *> tabOrder = { button, address, clue, field };
    for (QWidget *next : tabOrder) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), next);
        if (auto *value = qobject_cast<QLabel *>(next)) {
            QTest::keyClick(value, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(value, Qt::Key_C, Qt::ControlModifier);
            QCOMPARE(QGuiApplication::clipboard()->text(), value->text());
        }
    }

    // A screen reader names the field after its caption.
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(field);
    QVERIFY(accessible);
    QCOMPARE(accessible->text(QAccessible::Name), QStringLiteral("最终地址：0x"));
}

void tst_MainWindow::ownsEverything()
{
    auto *owner = new MainWindow;
    QList<QPointer<QObject>> owned;
    for (QObject *child : owner->children())
        owned.append(child);
    owned.append(owner->findChild<QDialog1 *>()->findChild<QObject *>(QStringLiteral("buttonBox")));
    delete owner;
    for (const QPointer<QObject> &object : owned)
        QVERIFY(object.isNull());
}

void tst_MainWindow::play_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("opensSuccess");

    // {fail}, {success} and {window} stand for those objects' addresses.
    QTest::newRow("success, lower case") << "{success}" << true;
    QTest::newRow("success, upper case") << "{SUCCESS}" << true;
    QTest::newRow("success, with 0x") << "0x{success}" << true;
    QTest::newRow("success, with 0X") << "0X{SUCCESS}" << true;
    QTest::newRow("fail address") << "{fail}" << false;
    QTest::newRow("window address") << "{window}" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("word") << "puzzle" << false;
    QTest::newRow("negative") << "-{success}" << false;
    QTest::newRow("overflow") << "1{success}{success}" << false;
    QTest::newRow("success plus one") << "{success}1" << false;
}

void tst_MainWindow::play()
{
    QFETCH(QString, typed);
    QFETCH(bool, opensSuccess);

    typed.replace(QLatin1String("{success}"), hex(success))
        .replace(QLatin1String("{SUCCESS}"), hex(success).toUpper())
        .replace(QLatin1String("{fail}"), hex(fail))
        .replace(QLatin1String("{window}"), hex(window));

    field->clear();
    QTest::keyClicks(field, typed);
    QCOMPARE(field->text(), typed);

    QWidget *expected = opensSuccess ? static_cast<QWidget *>(success) : fail;
    DialogCloser closer;
    for (int click = 1; click <= 2; ++click) {
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(closer.opened.size(), click);
        QCOMPARE(closer.opened.last(), expected);
    }
    QCOMPARE(field->text(), typed);
    QCOMPARE(window->findChildren<QDialog *>().size(), 2);
}

void tst_MainWindow::returnInField_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<bool>("success");
    QTest::newRow("Return, right address") << int(Qt::Key_Return) << true;
    QTest::newRow("Enter, right address") << int(Qt::Key_Enter) << true;
    QTest::newRow("Return, wrong address") << int(Qt::Key_Return) << false;
    QTest::newRow("Enter, wrong address") << int(Qt::Key_Enter) << false;
}

// Return in the field does what the button does: one dialog, the same choice.
void tst_MainWindow::returnInField()
{
    QFETCH(int, key);
    QFETCH(bool, success);

    field->setText(success ? hex(this->success) : hex(fail));
    DialogCloser closer;
    QTest::keyClick(field, Qt::Key(key));
    QCOMPARE(closer.opened.size(), 1);
    QCOMPARE(closer.opened.first(), success ? static_cast<QWidget *>(this->success) : fail);
}

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
