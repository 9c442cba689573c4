// SPDX-FileCopyrightText: 2026 The Ravelbox authors
// SPDX-License-Identifier: MIT

#include "mainwindow.h"
#include "modalhelpers.h"
#include "startup.h"
#include "ui_mainwindow.h"

#include <QFontDatabase>
#include <QLayout>
#include <QRawFont>
#include <QtTest>

// A bare window with the form applied, so the form is checked on its own.
class FormWindow : public QMainWindow
{
    Q_OBJECT

public:
    FormWindow() { ui.setupUi(this); }

    Ui_MainWindow ui;

public slots:
    // The form connects the button to this by name.
    void on_asdwg_clicked() { }
};

class tst_MainWindowForm : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void widgets_data();
    void widgets();
    void windowChrome();
    void chineseGlyphs_data();
    void chineseGlyphs();
    void textsFit_data();
    void textsFit();
};

void tst_MainWindowForm::cleanup()
{
    QVERIFY2(leftNoWindows(), "the test left a window open or behind");
}

void tst_MainWindowForm::widgets_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("parentName");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");

    // Every widget where the form puts it; the controls stay put when the
    // player makes the window larger, the window lays out its bars itself.
    const QString central = QStringLiteral("centralWidget");
    const QString window = QStringLiteral("MainWindow");
    QTest::newRow("window") << window << "FormWindow" << QString()
                            << QRect(QPoint(), MainWindow::initialSize) << "Ravelbox";
    QTest::newRow("button") << "asdwg"
                            << "QPushButton" << central << QRect(140, 230, 141, 20) << "打开窗口";
    QTest::newRow("field") << "geewf"
                           << "QLineEdit" << central << QRect(190, 170, 113, 20) << "";
    QTest::newRow("clue") << "wcxc"
                          << "QLabel" << central << QRect(190, 120, 111, 16) << "";
    QTest::newRow("key caption") << "wcxc_2"
                                 << "QLabel" << central << QRect(140, 120, 31, 20) << "KEY:";
    QTest::newRow("address caption") << "wcxc_3"
                                     << "QLabel" << central << QRect(140, 90, 31, 20) << "地址：";
    QTest::newRow("address") << "cewf"
                             << "QLabel" << central << QRect(190, 90, 111, 16) << "";
    QTest::newRow("final caption")
        << "wcxc_4"
        << "QLabel" << central << QRect(110, 170, 81, 20) << "最终地址：0x";
    QTest::newRow("central") << central << "QWidget" << window << QRect() << "";
    QTest::newRow("menu bar") << "menuBar"
                              << "QMenuBar" << window
                              << QRect(0, 0, MainWindow::initialSize.width(), 22) << "";
    QTest::newRow("tool bar") << "mainToolBar"
                              << "QToolBar" << window << QRect() << "";
    QTest::newRow("status bar") << "statusBar"
                                << "QStatusBar" << window << QRect() << "";
}

void tst_MainWindowForm::widgets()
{
    QFETCH(QString, name);
    QFETCH(QString, className);
    QFETCH(QString, parentName);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);

    FormWindow window;
    QWidget *widget = &window;
    if (name != window.objectName()) {
        const QList<QWidget *> found = window.findChildren<QWidget *>(name);
        QCOMPARE(found.size(), 1);
        widget = found.first();
        QCOMPARE(widget->parentWidget()->objectName(), parentName);
    }
    QCOMPARE(widget->property(widget->isWindow() ? "windowTitle" : "text").toString(), text);
    QCOMPARE(QString::fromLatin1(widget->metaObject()->className()), className);
    if (!geometry.isNull())
        QCOMPARE(widget->isWindow() ? widget->rect() : widget->geometry(), geometry);

    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.resize(800, 600);
    QTRY_COMPARE(window.size(), QSize(800, 600));
    if (parentName == QLatin1String("centralWidget"))
        QCOMPARE(widget->geometry(), geometry);
}

void tst_MainWindowForm::windowChrome()
{
    FormWindow window;
    QCOMPARE(window.centralWidget(), window.ui.centralWidget);
    QCOMPARE(window.menuBar(), window.ui.menuBar);
    QCOMPARE(window.statusBar(), window.ui.statusBar);
    QCOMPARE(window.toolBarArea(window.ui.mainToolBar), Qt::TopToolBarArea);
    QVERIFY(window.ui.centralWidget->layout() == nullptr);

    QVERIFY(window.ui.menuBar->actions().isEmpty());
    QVERIFY(window.ui.mainToolBar->actions().isEmpty());
    QVERIFY(window.ui.statusBar->currentMessage().isEmpty());

    QLineEdit *field = window.ui.geewf;
    QCOMPARE(field->inputMethodHints(), Qt::ImhPreferNumbers);
    QVERIFY(field->placeholderText().isEmpty());
    QVERIFY(field->validator() == nullptr);
    QCOMPARE(field->maxLength(), QLineEdit().maxLength());
}

void tst_MainWindowForm::chineseGlyphs_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("button") << QStringLiteral("asdwg");
    QTest::newRow("address caption") << QStringLiteral("wcxc_3");
    QTest::newRow("final caption") << QStringLiteral("wcxc_4");
}

// Without a CJK font these texts show as boxes; catch that here rather than on screen.
void tst_MainWindowForm::chineseGlyphs()
{
    QFETCH(QString, name);
    FormWindow window;
    QString chinese = window.findChild<QWidget *>(name)->property("text").toString();
    chinese.remove(
        QRegularExpression(QStringLiteral("[\\x00-\\x7f]"))); // the widget's own font draws these

#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    const QStringList families = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
#else
    const QStringList families = QFontDatabase().families(QFontDatabase::SimplifiedChinese);
#endif
    const auto drawsAll = [&](const QString &family) {
        const QRawFont font = QRawFont::fromFont(QFont(family));
        return font.isValid() && std::all_of(chinese.begin(), chinese.end(), [&](QChar c) {
                   return font.supportsCharacter(c);
               });
    };
    QVERIFY(!chinese.isEmpty());
    QVERIFY2(std::any_of(families.begin(), families.end(), drawsAll),
             qPrintable(QStringLiteral("no installed font has glyphs for ") + chinese));
}

void tst_MainWindowForm::textsFit_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QStringList>("families");

    // Loading nothing still makes the translations' resources available.
    const Startup::Translations none(QLocale::c());
    QStringList languages { QStringLiteral("zh_CN") };
    const QStringList files = QDir(QStringLiteral(":/i18n"))
                                  .entryList({ QStringLiteral("ravelbox_*.qm") }, QDir::Files);
    for (const QString &file : files)
        languages.append(file.mid(9).chopped(3));
    QVERIFY(languages.size() > 10);
    // The desktop's font: Windows' own, Qt's default on Linux (the offscreen
    // platform's would be another); and the web version's.
#ifdef Q_OS_WIN
    const QStringList desktop;
#else
    const QStringList desktop { QStringLiteral("Sans Serif") };
#endif
    const QStringList web { QStringLiteral("DejaVu Sans"), QStringLiteral("WenQuanYi Micro Hei") };
    for (const QString &language : std::as_const(languages)) {
        QTest::addRow("%s, desktop", qPrintable(language)) << language << desktop;
        QTest::addRow("%s, web", qPrintable(language)) << language << web;
    }
}

// The window's size is fixed in every language: no caption or button text
// may be wider than the place it has.
void tst_MainWindowForm::textsFit()
{
    QFETCH(QString, language);
    QFETCH(QStringList, families);
    const Startup::Translations translations((QLocale(language)));
    FormWindow window;
    if (!families.isEmpty()) {
        QFont font;
        font.setFamilies(families);
        font.setPointSize(9);
        window.setFont(font);
    }
    QStringList cut;
    for (QLabel *label : { window.ui.wcxc_2, window.ui.wcxc_3, window.ui.wcxc_4 }) {
        // The ink, not the advance: a full-width colon is mostly space.
        const int right = QFontMetrics(label->font()).boundingRect(label->text()).right();
        if (right >= label->contentsRect().width())
            cut.append(QStringLiteral("%1 %2 > %3").arg(label->text()).arg(right + 1).arg(
                    label->contentsRect().width()));
    }
    QPushButton *button = window.ui.asdwg;
    if (button->sizeHint().width() > button->width())
        cut.append(QStringLiteral("%1 %2 > %3")
                           .arg(button->text())
                           .arg(button->sizeHint().width())
                           .arg(button->width()));
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QLatin1String("; "))));
}

QTEST_MAIN(tst_MainWindowForm)
#include "tst_mainwindowform.moc"
