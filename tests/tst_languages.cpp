// SPDX-FileCopyrightText: 2026 The Ravelbox authors
// SPDX-License-Identifier: MIT

#include "mainwindow.h"
#include "qdialog1.h"
#include "startup.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QtTest>

#include <cstdio>

namespace {

const char childOption[] = "--print-texts";

// In a child process, whose environment sets the locale: starts up as the
// program does and prints what the player reads, one text per line.
int printTexts(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const Startup::Translations translations(QLocale::system());
    MainWindow window;
    auto *fail = window.findChild<QDialog1 *>();
    auto *box = fail->findChild<QDialogButtonBox *>();
    const QStringList texts = {
        window.findChild<QPushButton *>(QStringLiteral("asdwg"))->text(),
        window.findChild<QLabel *>(QStringLiteral("wcxc_3"))->text(),
        window.findChild<QLabel *>(QStringLiteral("wcxc_4"))->text(),
        window.findChild<QLineEdit *>(QStringLiteral("geewf"))->toolTip(),
        fail->windowTitle(),
        box->button(QDialogButtonBox::Ok)->text(),
        box->button(QDialogButtonBox::Cancel)->text(),
    };
    std::fputs(qUtf8Printable(texts.join(QLatin1Char('\n'))), stdout);
    return 0;
}

} // namespace

class tst_Languages : public QObject
{
    Q_OBJECT

private slots:
    void programLanguage_data();
    void programLanguage();
    void texts_data();
    void texts();
};

void tst_Languages::programLanguage_data()
{
    QTest::addColumn<QString>("uiLanguages");
    QTest::addColumn<QString>("language");

    // The first language that can be shown wins; English when none can.
    QTest::newRow("C") << "C"
                       << "";
    QTest::newRow("Chinese") << "zh-CN zh-Hans-CN zh"
                             << "";
    QTest::newRow("English") << "en-US en-Latn-US en"
                             << "en";
    QTest::newRow("German, none ships") << "de-DE de-Latn-DE de"
                                        << "en";
    QTest::newRow("French, then Chinese") << "fr fr-FR zh-CN"
                                          << "";
    QTest::newRow("nothing preferred") << ""
                                       << "en";
}

void tst_Languages::programLanguage()
{
    QFETCH(QString, uiLanguages);
    QFETCH(QString, language);
    const QStringList preferred = uiLanguages.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QCOMPARE(Startup::programLanguage(preferred), language);
}

void tst_Languages::texts_data()
{
    QTest::addColumn<QString>("lang");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("captions");
    QTest::addColumn<QString>("fieldHelp");
    QTest::addColumn<QString>("buttons");

    const QString chinese = QStringLiteral("打开窗口");
    const QString chineseCaptions = QStringLiteral("地址：|最终地址：0x");
    const QString chineseHelp = QStringLiteral("输入 SUCCESS 窗口的十六进制地址，然后按回车键");
    const QString english = QStringLiteral("Open window");
    const QString englishCaptions = QStringLiteral("FAIL:|Answer: 0x");
    const QString englishHelp
        = QStringLiteral("Type the SUCCESS dialog's address in hexadecimal, then press Enter");

    // The game's texts: as written for C and Chinese, English for the rest.
    // Qt's standard buttons follow the locale wherever Qt has a translation.
    QTest::newRow("C") << "C"
                       << "" << chinese << chineseCaptions << chineseHelp << "OK|Cancel";
    QTest::newRow("en_US") << "en_US.UTF-8"
                           << "" << english << englishCaptions << englishHelp << "OK|Cancel";
    QTest::newRow("de_DE") << "de_DE.UTF-8"
                           << "" << english << englishCaptions << englishHelp << "OK|Abbrechen";
    QTest::newRow("zh_CN") << "zh_CN.UTF-8"
                           << "" << chinese << chineseCaptions << chineseHelp
                           << QStringLiteral("确定|取消");
    QTest::newRow("LANGUAGE over LANG")
        << "C"
        << "de" << english << englishCaptions << englishHelp << "OK|Abbrechen";
}

void tst_Languages::texts()
{
    QFETCH(QString, lang);
    QFETCH(QString, language);
    QFETCH(QString, button);
    QFETCH(QString, captions);
    QFETCH(QString, fieldHelp);
    QFETCH(QString, buttons);

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : { "LC_ALL", "LC_MESSAGES", "LANG", "LANGUAGE" })
        environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("LANG"), lang);
    if (!language.isEmpty())
        environment.insert(QStringLiteral("LANGUAGE"), language);

    QProcess child;
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), { QString::fromLatin1(childOption) });
    QVERIFY(child.waitForFinished(30000));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);

    const QStringList texts
        = QString::fromUtf8(child.readAllStandardOutput()).split(QLatin1Char('\n'));
    const QStringList expected = QStringList { button } + captions.split(QLatin1Char('|'))
        + QStringList { fieldHelp, QStringLiteral("FAIL") } + buttons.split(QLatin1Char('|'));
    QCOMPARE(texts, expected);
}

int main(int argc, char *argv[])
{
    if (argc == 2 && qstrcmp(argv[1], childOption) == 0)
        return printTexts(argc, argv);
    QCoreApplication app(argc, argv);
    tst_Languages test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_languages.moc"
