// SPDX-FileCopyrightText: 2026 The Ravelbox authors
// SPDX-License-Identifier: MIT

#include "qdialog1.h"
#include "referencebanner.h"
#include "startup.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QtTest>

#include <cstdio>

namespace {

const char childOption[] = "--print-start-up";

// In a child process, whose environment sets the locale and the display:
// starts exactly as the program does and, instead of playing, prints what the
// player gets, one item per line.
int printStartUp(int argc, char *argv[])
{
    // Every message that reaches the program's handler, on standard error.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &context, const QString &text) {
        std::fprintf(stderr, "%s: %s\n", context.category, qUtf8Printable(text));
    });
    return Startup::run(argc, argv, [](QMainWindow &window) {
        auto *fail = window.findChild<QDialog1 *>();
        auto *box = fail->findChild<QDialogButtonBox *>();
        QList<QSize> sizes = QApplication::windowIcon().availableSizes();
        std::sort(sizes.begin(), sizes.end(),
                  [](QSize a, QSize b) { return a.width() < b.width(); });
        const QStringList lines
            = { window.findChild<QPushButton *>(QStringLiteral("asdwg"))->text(),
                window.findChild<QLabel *>(QStringLiteral("wcxc_3"))->text(),
                window.findChild<QLabel *>(QStringLiteral("wcxc_4"))->text(),
                window.findChild<QLineEdit *>(QStringLiteral("geewf"))->toolTip(),
                fail->windowTitle(),
                box->button(QDialogButtonBox::Ok)->text(),
                box->button(QDialogButtonBox::Cancel)->text(),
                sizes.isEmpty() ? QStringLiteral("no icon")
                                : QStringLiteral("icon %1 to %2 pixels")
                                      .arg(sizes.first().width())
                                      .arg(sizes.last().width()),
                QGuiApplication::desktopFileName(),
                QGuiApplication::highDpiScaleFactorRoundingPolicy()
                        == Qt::HighDpiScaleFactorRoundingPolicy::PassThrough
                    ? QStringLiteral("unrounded scale factors")
                    : QStringLiteral("rounded scale factors"),
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
                QCoreApplication::testAttribute(Qt::AA_EnableHighDpiScaling)
                    ? QStringLiteral("high-DPI scaling")
                    : QStringLiteral("no high-DPI scaling"),
#endif
              };
        std::fputs(qUtf8Printable(lines.join(QLatin1Char('\n'))), stdout);
        return 0;
    });
}

#ifndef Q_OS_WIN
const char scaleOption[] = "--print-scale";

// In a child process, on an X server or headless: starts exactly as the program does and
// prints the window's scale and whether the FAIL dialog's banner has the
// pixels it has when painted by hand at `expected` times.
int printScale(int argc, char *argv[], qreal expected)
{
    return Startup::run(argc, argv, [expected](QMainWindow &window) {
        auto *fail = window.findChild<QDialog1 *>();
        fail->findChild<QDialogButtonBox *>()->hide();
        const QImage banner = fail->grab().toImage().convertToFormat(QImage::Format_RGB32);

        QImage reference(fail->size() * expected, QImage::Format_RGB32);
        reference.setDevicePixelRatio(expected);
        reference.fill(fail->palette().color(QPalette::Window));
        QPainter painter(&reference);
        paintReferenceBanner(painter, QStringLiteral("FAIL!"), QPoint(160, 150));
        painter.end();

        std::printf("scale %g\n%s\n", window.devicePixelRatioF(),
                    banner == reference ? "banner as painted by hand" : "banner differs");
        return 0;
    });
}
#endif

} // namespace

class tst_Startup : public QObject
{
    Q_OBJECT

private slots:
    void programLanguage_data();
    void programLanguage();
    void startUp_data();
    void startUp();
#ifndef Q_OS_WIN
    void scale_data();
    void scale();
#endif
};

void tst_Startup::programLanguage_data()
{
    QTest::addColumn<QString>("uiLanguages");
    QTest::addColumn<QString>("language");

    // The rows the web page's rule is checked against too.
    QFile rows(QStringLiteral(":/languages.txt"));
    QVERIFY(rows.open(QIODevice::ReadOnly | QIODevice::Text));
    int count = 0;
    while (!rows.atEnd()) {
        const QString line = QString::fromUtf8(rows.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QString language = line.section(QLatin1Char(':'), 0, 0);
        const QString preferred = line.section(QLatin1Char(':'), 1).trimmed();
        QTest::newRow(qPrintable(preferred.isEmpty() ? QStringLiteral("nothing") : preferred))
            << preferred << (language == QLatin1String("zh") ? QString() : language);
        ++count;
    }
    QVERIFY2(count > 10, "languages.txt holds too few rows");
}

void tst_Startup::programLanguage()
{
    QFETCH(QString, uiLanguages);
    QFETCH(QString, language);
    const QStringList preferred = uiLanguages.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QCOMPARE(Startup::programLanguage(preferred), language);
}

void tst_Startup::startUp_data()
{
    QTest::addColumn<QString>("lang");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QStringList>("environment");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("logged");

    const QString chinese = QStringLiteral(
        "打开窗口|地址：|最终地址：0x|输入 SUCCESS 窗口的十六进制地址，然后按回车键|FAIL");
    const QString english = QStringLiteral(
        "Open window|FAIL:|Answer: 0x|Type the SUCCESS dialog's address in hexadecimal, then "
        "press Enter|FAIL");

    const auto row
        = [](const char *name, const char *lang, const char *language,
             const QStringList &environment, const QString &shown, const char *logged = "") {
              QTest::newRow(name) << QString::fromLatin1(lang) << QString::fromLatin1(language)
                                  << environment << shown << QString::fromLatin1(logged);
          };

    const QString german = QStringLiteral(
        "Fenster öffnen|FAIL:|Antwort: 0x|Adresse des SUCCESS-Fensters hexadezimal eingeben, "
        "dann die Eingabetaste drücken|Fehlschlag");
    const QString japanese = QStringLiteral(
        "ウィンドウを開く|FAIL:|答え：0x|SUCCESS ウィンドウのアドレスを 16 "
        "進数で入力し、Enter キーを押してください|失敗");
    const QString brazilian = QStringLiteral(
        "Abrir janela|FAIL:|Solução: 0x|Digite o endereço da janela SUCCESS em hexadecimal e "
        "pressione Enter|Falha");
    const QString russian = QStringLiteral(
        "Открыть окно|FAIL:|Ответ: 0x|Введите адрес окна SUCCESS в шестнадцатеричном виде и "
        "нажмите Enter|Неудача");

    // The game's texts: as written for C and Chinese, translated where a
    // translation ships, English for the rest.
    // Qt's standard buttons follow the locale wherever Qt has a translation.
    // Windows has no C locale: there it is English.
#ifdef Q_OS_WIN
    row("C", "C", "", {}, english + QLatin1String("|OK|Cancel"));
#else
    row("C", "C", "", {}, chinese + QLatin1String("|OK|Cancel"));
    row("LANGUAGE over LANG", "C", "de", {}, german + QLatin1String("|OK|Abbrechen"));
#endif
    row("en_US", "en_US.UTF-8", "", {}, english + QLatin1String("|OK|Cancel"));
    row("de_DE", "de_DE.UTF-8", "", {}, german + QLatin1String("|OK|Abbrechen"));
    row("ja_JP", "ja_JP.UTF-8", "", {}, japanese + QStringLiteral("|OK|キャンセル"));
    row("pt_BR", "pt_BR.UTF-8", "", {}, brazilian + QLatin1String("|OK|Cancelar"));
    row("ru_RU", "ru_RU.UTF-8", "", {}, russian + QStringLiteral("|OK|Отмена"));
    row("sk_SK, none ships", "sk_SK.UTF-8", "", {}, english + QLatin1String("|OK|Cancel"));
    row("zh_CN", "zh_CN.UTF-8", "", {}, chinese + QStringLiteral("|确定|取消"));

#ifndef Q_OS_WIN
    // Messages held while the application object is built reach the
    // program's handler afterwards, category and text as they were.
    row("warning while starting", "C", "", { QStringLiteral("QT_STYLE_OVERRIDE=nosuchstyle") },
        chinese + QLatin1String("|OK|Cancel"),
        "default: QApplication: invalid style override 'nosuchstyle' passed, ignoring it.");

    // A display that cannot be reached ends the program with status 1 and
    // one line that says why and what to do, not with an abort.
    const auto unreachable = [](const char *platform, const char *display) {
        return QStringList { QLatin1String("QT_QPA_PLATFORM=") + QLatin1String(platform),
                             QLatin1String("DISPLAY=") + QLatin1String(display),
                             QLatin1String("WAYLAND_DISPLAY=") + QLatin1String(display) };
    };
    row("X display not there", "C", "", unreachable("xcb", ":87"), QString());
    row("Wayland display not there", "C", "", unreachable("wayland", "nowhere"), QString());
#endif
}

void tst_Startup::startUp()
{
    QFETCH(QString, lang);
    QFETCH(QString, language);
    QFETCH(QStringList, environment);
    QFETCH(QString, shown);
    QFETCH(QString, logged);

    QProcessEnvironment childEnvironment = QProcessEnvironment::systemEnvironment();
#ifdef Q_OS_WIN
    // Wine gives a program, and its children, the locale it was started in:
    // ctest runs this once per locale, saying which, and a run whose LANG
    // did not arrive must fail, not skip its row.
    Q_UNUSED(environment);
    const QString checked = qEnvironmentVariable("RAVELBOX_TEST_LANG");
    if (checked.isEmpty())
        QFAIL("RAVELBOX_TEST_LANG must name the LANG this run checks");
    if (checked != lang)
        QSKIP("another run checks this locale");
    QCOMPARE(childEnvironment.value(QStringLiteral("LANG")), lang);
#else
    for (const char *name : { "LC_ALL", "LC_MESSAGES", "LANG", "LANGUAGE" })
        childEnvironment.remove(QString::fromLatin1(name));
    childEnvironment.insert(QStringLiteral("LANG"), lang);
    if (!language.isEmpty())
        childEnvironment.insert(QStringLiteral("LANGUAGE"), language);
    for (const QString &variable : std::as_const(environment))
        childEnvironment.insert(variable.section(QLatin1Char('='), 0, 0),
                                variable.section(QLatin1Char('='), 1));
#endif

    // Its own folder to start in, and to look for a core dump in afterwards.
    QTemporaryDir folder;
    childEnvironment.insert(QStringLiteral("XDG_RUNTIME_DIR"), folder.path());
    QProcess child;
    child.setProcessEnvironment(childEnvironment);
    child.setWorkingDirectory(folder.path());
    child.start(QCoreApplication::applicationFilePath(), { QString::fromLatin1(childOption) });
    QVERIFY(child.waitForFinished(30000));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    // Nothing shown means the program must have given up, with status 1.
    QCOMPARE(child.exitCode(), shown.isEmpty() ? 1 : 0);

    // Text mode on Windows writes CR LF.
    const QString out = QString::fromUtf8(child.readAllStandardOutput()).remove(QLatin1Char('\r'));
    const QString err = QString::fromUtf8(child.readAllStandardError()).remove(QLatin1Char('\r'));
    if (shown.isEmpty()) {
        QVERIFY(out.isEmpty());
        QCOMPARE(err.count(QLatin1Char('\n')), 1);
        QVERIFY2(err.startsWith(QLatin1String("ravelbox: "))
                     && err.contains(QLatin1String("xvfb-run")),
                 qPrintable(err));
        QVERIFY2(QDir(folder.path()).isEmpty(), "the program left a file, a core dump perhaps");
        return;
    }
    if (!logged.isEmpty())
        QVERIFY2(err.split(QLatin1Char('\n')).contains(logged), qPrintable(err));
    QStringList expected = shown.split(QLatin1Char('|'));
    expected << QStringLiteral("icon 16 to 256 pixels") << QStringLiteral(RAVELBOX_ID)
             << QStringLiteral("unrounded scale factors");
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    expected << QStringLiteral("high-DPI scaling");
#endif
    QCOMPARE(out.split(QLatin1Char('\n')), expected);
}

#ifndef Q_OS_WIN
void tst_Startup::scale_data()
{
    QTest::addColumn<int>("serverDpi");
    QTest::addColumn<int>("xftDpi");
    QTest::addColumn<qreal>("scale");

    // Headless, where no server is asked (0 dpi): never scaled.
    QTest::newRow("offscreen") << 0 << 0 << 1.0;
    // Without Xft.dpi nothing is scaled, whatever DPI the monitor reports.
    QTest::newRow("96 dpi") << 96 << 0 << 1.0;
    QTest::newRow("100 dpi") << 100 << 0 << 1.0;
    QTest::newRow("144 dpi") << 144 << 0 << 1.0;
    // Xft.dpi, the desktop's scaling setting, decides, unrounded.
    QTest::newRow("96 dpi, Xft.dpi 144") << 96 << 144 << 1.5;
    QTest::newRow("100 dpi, Xft.dpi 120") << 100 << 120 << 1.25;
    QTest::newRow("144 dpi, Xft.dpi 96") << 144 << 96 << 1.0;
}

void tst_Startup::scale()
{
    QFETCH(int, serverDpi);
    QFETCH(int, xftDpi);
    QFETCH(qreal, scale);

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : { "QT_FONT_DPI", "QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS",
                              "QT_AUTO_SCREEN_SCALE_FACTOR", "QT_ENABLE_HIGHDPI_SCALING" })
        environment.remove(QString::fromLatin1(name));
    QTemporaryDir folder;
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), folder.path());
    const auto expectScale = [&environment, scale] {
        QProcess child;
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(),
                    { QString::fromLatin1(scaleOption), QString::number(scale) });
        QVERIFY(child.waitForFinished(30000));
        QCOMPARE(child.exitCode(), 0);
        const QString expected
            = QStringLiteral("scale %1\nbanner as painted by hand\n").arg(scale);
        QCOMPARE(QString::fromUtf8(child.readAllStandardOutput()), expected);
    };
    if (serverDpi == 0) {
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        expectScale();
        return;
    }

    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    const QString xrdb = QStandardPaths::findExecutable(QStringLiteral("xrdb"));
    if (xvfb.isEmpty() || xrdb.isEmpty())
        QSKIP("needs Xvfb and xrdb (packages xvfb and x11-xserver-utils)");

    // A private X server that keeps its resources between clients; it
    // writes its display number to standard output.
    QProcess server;
    server.start(xvfb,
                 { QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-dpi"),
                   QString::number(serverDpi), QStringLiteral("-noreset"),
                   QStringLiteral("-nolisten"), QStringLiteral("tcp"), QStringLiteral("-screen"),
                   QStringLiteral("0"), QStringLiteral("1280x1024x24") });
    QTRY_VERIFY_WITH_TIMEOUT(server.canReadLine(), 10000);
    const QString display = QLatin1Char(':') + QString::fromLatin1(server.readLine()).trimmed();
    const auto stopServer = qScopeGuard([&server] {
        server.terminate();
        server.waitForFinished(5000);
    });

    environment.insert(QStringLiteral("DISPLAY"), display);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    if (xftDpi) {
        QProcess resources;
        resources.setProcessEnvironment(environment);
        resources.start(xrdb, { QStringLiteral("-merge") });
        resources.write(QByteArray("Xft.dpi: ") + QByteArray::number(xftDpi) + '\n');
        resources.closeWriteChannel();
        QVERIFY(resources.waitForFinished(10000));
        QCOMPARE(resources.exitCode(), 0);
    }

    expectScale();
}
#endif

int main(int argc, char *argv[])
{
    if (argc == 2 && qstrcmp(argv[1], childOption) == 0)
        return printStartUp(argc, argv);
#ifndef Q_OS_WIN
    if (argc == 3 && qstrcmp(argv[1], scaleOption) == 0)
        return printScale(argc, argv, QByteArray(argv[2]).toDouble());
#endif
    QCoreApplication app(argc, argv);
    tst_Startup test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_startup.moc"
