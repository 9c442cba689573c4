// SPDX-FileCopyrightText: 2026 The Ravelbox authors
// SPDX-License-Identifier: MIT

#include "modalhelpers.h"
#include "referencebanner.h"
#include "qdialog1.h"
#include "qdialog2.h"

#include <QAccessible>
#include <QDialogButtonBox>
#include <QPainter>
#include <QPushButton>
#include <QtTest>

namespace {

enum class Kind { Fail, Success };

QDialog *makeDialog(Kind kind, QWidget *parent = nullptr)
{
    if (kind == Kind::Fail)
        return new QDialog1(parent);
    return new QDialog2(parent);
}

// Paints the expected banner by hand, independently of the dialogs' own code.
class ReferenceBanner : public QWidget
{
public:
    ReferenceBanner(const QString &text, const QPoint &origin)
        : m_text(text)
        , m_origin(origin)
    {
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        paintReferenceBanner(painter, m_text, m_origin);
    }

private:
    QString m_text;
    QPoint m_origin;
};

QImage grabbed(QWidget *widget)
{
    return widget->grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

QImage bannerOnly(QDialog *dialog)
{
    dialog->findChild<QDialogButtonBox *>()->hide();
    return grabbed(dialog);
}

} // namespace

Q_DECLARE_METATYPE(Kind)

class tst_ResultDialogs : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void shape_data();
    void shape();
    void exec_data();
    void exec();
    void banner_data();
    void banner();
};

void tst_ResultDialogs::cleanup()
{
    QVERIFY2(leftNoWindows(), "the test left a window open or behind");
}

void tst_ResultDialogs::shape_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("title");
    QTest::newRow("fail") << Kind::Fail << QStringLiteral("QDialog1") << QStringLiteral("FAIL");
    QTest::newRow("success") << Kind::Success << QStringLiteral("QDialog2")
                             << QStringLiteral("SUCCESS");
}

void tst_ResultDialogs::shape()
{
    QFETCH(Kind, kind);
    QFETCH(QString, name);
    QFETCH(QString, title);

    auto parent = std::make_unique<QWidget>();
    QPointer<QDialog> dialog = makeDialog(kind, parent.get());
    QVERIFY(dialog->isHidden());
    QCOMPARE(dialog->size(), QSize(400, 300));
    QCOMPARE(dialog->windowTitle(), title);
    QCOMPARE(dialog->objectName(), name);
    QVERIFY(dialog->layout() == nullptr);

    const auto children = dialog->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
    QCOMPARE(children.size(), 1);
    auto *box = qobject_cast<QDialogButtonBox *>(children.first());
    QVERIFY(box);
    QCOMPARE(box->objectName(), QStringLiteral("buttonBox"));
    QCOMPARE(box->geometry(), QRect(30, 240, 341, 32));
    QCOMPARE(box->orientation(), Qt::Horizontal);
    QCOMPARE(box->standardButtons(), QDialogButtonBox::Ok | QDialogButtonBox::Cancel);

    // Casting by class name tells the two dialogs apart.
    const QByteArray own = name.toLatin1();
    const QByteArray other = kind == Kind::Fail ? "QDialog2" : "QDialog1";
    QCOMPARE(dialog->qt_metacast(own.constData()), static_cast<void *>(dialog.data()));
    QVERIFY(dialog->qt_metacast(other.constData()) == nullptr);
    QVERIFY(dialog->qt_metacast("QDialog") != nullptr);
    QCOMPARE(dialog->metaObject()->superClass(), &QDialog::staticMetaObject);

    // The window that owns a dialog takes it and its buttons along.
    const QPointer<QDialogButtonBox> ownedBox = box;
    parent.reset();
    QVERIFY(dialog.isNull());
    QVERIFY(ownedBox.isNull());
}

void tst_ResultDialogs::exec_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("way");
    QTest::addColumn<int>("result");

    for (Kind kind : { Kind::Fail, Kind::Success }) {
        const char *prefix = kind == Kind::Fail ? "fail" : "success";
        QTest::addRow("%s, ok", prefix) << kind << "ok" << int(QDialog::Accepted);
        QTest::addRow("%s, cancel", prefix) << kind << "cancel" << int(QDialog::Rejected);
        QTest::addRow("%s, escape", prefix) << kind << "escape" << int(QDialog::Rejected);
        QTest::addRow("%s, close", prefix) << kind << "close" << int(QDialog::Rejected);
    }
}

void tst_ResultDialogs::exec()
{
    QFETCH(Kind, kind);
    QFETCH(QString, way);
    QFETCH(int, result);

    QScopedPointer<QDialog> dialog(makeDialog(kind));
    auto *box = dialog->findChild<QDialogButtonBox *>();
    const auto finish = [&] {
        QVERIFY(dialog->isVisible());
        if (way == QLatin1String("ok"))
            QTest::mouseClick(box->button(QDialogButtonBox::Ok), Qt::LeftButton);
        else if (way == QLatin1String("cancel"))
            QTest::mouseClick(box->button(QDialogButtonBox::Cancel), Qt::LeftButton);
        else if (way == QLatin1String("escape"))
            QTest::keyClick(dialog.data(), Qt::Key_Escape);
        else
            dialog->close();
    };

    // The same object opens and closes again and again.
    for (int round = 0; round < 3; ++round) {
        const ModalFallback fallback;
        QTimer::singleShot(0, dialog.data(), finish);
        const int returned = dialog->exec();
        QVERIFY2(returned != ModalFallback::result,
                 qPrintable(way + QLatin1String(" did not close the dialog")));
        QCOMPARE(returned, result);
        QVERIFY(dialog->isHidden());
    }
}

void tst_ResultDialogs::banner_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QPoint>("origin");

    for (Kind kind : { Kind::Fail, Kind::Success }) {
        const char *prefix = kind == Kind::Fail ? "fail" : "success";
        const QString text = QString::fromLatin1(kind == Kind::Fail ? "FAIL!" : "SUCCESS!");
        QTest::addRow("%s, 400x300", prefix) << kind << QSize(400, 300) << text << QPoint(160, 150);
        QTest::addRow("%s, 399 wide", prefix)
            << kind << QSize(399, 300) << text << QPoint(159, 150);
        QTest::addRow("%s, 401 wide", prefix)
            << kind << QSize(401, 300) << text << QPoint(160, 150);
        QTest::addRow("%s, odd height", prefix)
            << kind << QSize(400, 301) << text << QPoint(160, 150);
        QTest::addRow("%s, 617x203", prefix) << kind << QSize(617, 203) << text << QPoint(246, 101);
    }
}

void tst_ResultDialogs::banner()
{
    QFETCH(Kind, kind);
    QFETCH(QSize, size);
    QFETCH(QString, text);
    QFETCH(QPoint, origin);

    QScopedPointer<QDialog> dialog(makeDialog(kind));
    const QImage initial = bannerOnly(dialog.data());

    dialog->resize(size);
    const QImage resized = bannerOnly(dialog.data());

    ReferenceBanner reference(text, origin);
    reference.resize(size);
    const QImage expected = grabbed(&reference);
    QWidget blank;
    blank.resize(size);
    QVERIFY2(expected != grabbed(&blank), "the reference draws nothing");

    QCOMPARE(resized, expected);
    // Screen readers get the painted words.
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(dialog.data());
    QVERIFY(accessible);
    QCOMPARE(accessible->text(QAccessible::Description), text);
    // Painting again gives the same picture: the letters are not appended to.
    QCOMPARE(bannerOnly(dialog.data()), expected);
    if (size == QSize(400, 300))
        QCOMPARE(initial, expected);
}

QTEST_MAIN(tst_ResultDialogs)
#include "tst_resultdialogs.moc"
