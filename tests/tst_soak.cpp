// SPDX-FileCopyrightText: 2026 The Ravelbox authors
// SPDX-License-Identifier: MIT

#include "mainwindow.h"
#include "modalhelpers.h"
#include "qdialog1.h"
#include "qdialog2.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class tst_Soak : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void openManyTimes_data();
    void openManyTimes();

private:
    MainWindow window;
};

void tst_Soak::initTestCase()
{
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
}

void tst_Soak::cleanup()
{
    QTRY_VERIFY(strayWindows(&window).isEmpty());
}

void tst_Soak::openManyTimes_data()
{
    QTest::addColumn<bool>("success");
    QTest::newRow("fail dialog") << false;
    QTest::newRow("success dialog") << true;
}

void tst_Soak::openManyTimes()
{
    QFETCH(bool, success);

    QDialog *dialog = window.findChild<QDialog1 *>();
    if (success)
        dialog = window.findChild<QDialog2 *>();
    auto *field = window.findChild<QLineEdit *>(QStringLiteral("geewf"));
    field->setText(success ? QString::number(reinterpret_cast<quintptr>(dialog), 16) : QString());

    DialogCloser closer;
    auto *button = window.findChild<QPushButton *>(QStringLiteral("asdwg"));
    // Compare with the state after the first opening: showing a dialog once
    // polishes it and gives its default button focus.
    QTest::mouseClick(button, Qt::LeftButton);
    // Widgets and the window's own children; the style's short-lived
    // animations come and go on their own.
    const QObjectList childrenBefore = window.children();
    const QList<QWidget *> widgetsBefore = window.findChildren<QWidget *>();
    // The banner only: the buttons below it may be drawn with focus or hover.
    const QRect bannerArea(0, 0, dialog->width(), 240);
    const QImage bannerBefore = dialog->grab(bannerArea).toImage();

    for (int i = 1; i < 200; ++i)
        QTest::mouseClick(button, Qt::LeftButton);

    QCOMPARE(closer.opened.size(), 200);
    QCOMPARE(closer.opened.count(dialog), 200);
    QCOMPARE(window.children(), childrenBefore);
    QCOMPARE(window.findChildren<QWidget *>(), widgetsBefore);
    QCOMPARE(dialog->grab(bannerArea).toImage(), bannerBefore);
}

QTEST_MAIN(tst_Soak)
#include "tst_soak.moc"
