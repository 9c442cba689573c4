// SPDX-FileCopyrightText: 2026 The Ravelbox authors
// SPDX-License-Identifier: MIT

#include "puzzle.h"

#include <QtTest>

#include <limits>

namespace {

Puzzle::PassCodes playAllPasses()
{
    Puzzle::PassCodes values {};
    for (int pass = 1; pass <= Puzzle::passCount; ++pass)
        values[pass] = Puzzle::runPass(pass, values[pass], [] {});
    return values;
}

} // namespace

class tst_Puzzle : public QObject
{
    Q_OBJECT

private slots:
    void passes_data();
    void passes();
    void stepDistance_data();
    void stepDistance();
    void clueText_data();
    void clueText();
    void addresses_data();
    void addresses();
};

void tst_Puzzle::passes_data()
{
    QTest::addColumn<int>("pass");
    QTest::addColumn<quint32>("secondSeed");
    QTest::addColumn<int>("withoutCode");
    QTest::addColumn<QString>("digits");

    // Each pass ends with one digit; pass 0 stands for the whole run, whose
    // digits are the base of every clue.
    const quint32 seeds[] = { 3, 6, 9, 12, 15, 18, 21, 25, 28, 31, 34, 37, 40, 43 };
    const QString codes = QStringLiteral("10121282157740");
    for (int pass = 1; pass <= Puzzle::passCount; ++pass)
        QTest::addRow("pass %d", pass) << pass << seeds[pass - 1] << 0 << codes.mid(pass - 1, 1);
    QTest::newRow("whole run") << 0 << 0u << 0 << codes;
    // Only what lies before the first pass without a code counts.
    QTest::newRow("whole run, pass 4 without a code") << 0 << 0u << 4 << QStringLiteral("101");
}

void tst_Puzzle::passes()
{
    QFETCH(int, pass);
    QFETCH(quint32, secondSeed);
    QFETCH(int, withoutCode);
    QFETCH(QString, digits);

    if (pass > 0) {
        QCOMPARE(Puzzle::secondSeed(pass), secondSeed);
        int pauses = 0;
        QCOMPARE(Puzzle::runPass(pass, 0, [&] { ++pauses; }), int(digits.at(0).unicode()));
        QCOMPARE(pauses, 10);
        return;
    }
    Puzzle::PassCodes values = playAllPasses();
    QCOMPARE(Puzzle::digitSum(values), 713);
    values[withoutCode] = 0;
    const Puzzle::DigitBuffer buffer = Puzzle::digitBuffer(values);
    QCOMPARE(Puzzle::baseDigits(buffer), digits);
    QCOMPARE(int(buffer[0]), 0);
    QCOMPARE(int(buffer[9]), 49);
    QCOMPARE(int(buffer[15]), 0);
}

void tst_Puzzle::stepDistance_data()
{
    QTest::addColumn<quintptr>("fail");
    QTest::addColumn<quintptr>("success");
    QTest::addColumn<qint64>("distance");

    const quintptr base = 0x10000;
    QTest::newRow("528 above") << base + 528 << base << qint64(22);
    QTest::newRow("528 below") << base << base + 528 << qint64(-22);
    QTest::newRow("47 above truncates") << base + 47 << base << qint64(1);
    QTest::newRow("47 below truncates toward zero") << base << base + 47 << qint64(-1);
    QTest::newRow("exactly one step") << base + 24 << base << qint64(1);
    if (sizeof(quintptr) == 8) {
        const quintptr high = quintptr(0x7ffd12345678ull);
        QTest::newRow("full width") << high << high - 24000 << qint64(1000);
        QTest::newRow("beyond 32 bits") << high << quintptr(0x12345678) << qint64(5863525143893);
    }
}

void tst_Puzzle::stepDistance()
{
    QFETCH(quintptr, fail);
    QFETCH(quintptr, success);
    QFETCH(qint64, distance);
    QCOMPARE(Puzzle::stepDistance(fail, success), distance);
}

void tst_Puzzle::clueText_data()
{
    QTest::addColumn<qint64>("distance");
    QTest::addColumn<int>("digitSum");
    QTest::addColumn<QString>("text");

    // Seed 49 draws 48, 51, 50, 55, ...: the first odd code, 51, stands for a
    // positive distance, the first even one, 48, for a negative one.
    QTest::newRow("1") << qint64(1) << 713 << "10121128215775140";
    QTest::newRow("-1") << qint64(-1) << 713 << "10121128215774840";
    QTest::newRow("22") << qint64(22) << 713 << "101212228215751740";
    QTest::newRow("-22") << qint64(-22) << 713 << "101212228215748740";
    QTest::newRow("123") << qint64(123) << 713 << "1012112328215517740";
    QTest::newRow("-123") << qint64(-123) << 713 << "1012112328215487740";
    QTest::newRow("1000") << qint64(1000) << 713 << "10121100028215157740";
    QTest::newRow("wider than 32 bits")
        << qint64(5863525143893) << 713 << "10121586352515143893282157740";
    QTest::newRow("far positive") << qint64(987654321) << 713 << "1012198765432511282157740";
    QTest::newRow("far negative") << qint64(-987654321) << 713 << "1012198765432481282157740";
    QTest::newRow("even sum puts the clue first") << qint64(22) << 712 << "101215128215722740";
}

void tst_Puzzle::clueText()
{
    QFETCH(qint64, distance);
    QFETCH(int, digitSum);
    QFETCH(QString, text);
    const Puzzle::DigitBuffer buffer = Puzzle::digitBuffer(playAllPasses());
    QCOMPARE(Puzzle::clueText(buffer, digitSum, distance), text);
}

void tst_Puzzle::addresses_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<quintptr>("value");
    QTest::addColumn<QString>("printed");

    // What the player types, the address it names (0 for none) and, where
    // it is the window's own form, how the window prints that address.
    QTest::newRow("lower case") << "7ffd1a2b" << quintptr(0x7ffd1a2b) << "0x7ffd1a2b";
    QTest::newRow("upper case") << "7FFD1A2B" << quintptr(0x7ffd1a2b) << "";
    QTest::newRow("0x prefix") << "0x7ffd1a2b" << quintptr(0x7ffd1a2b) << "0x7ffd1a2b";
    QTest::newRow("0X prefix") << "0X7FFD1A2B" << quintptr(0x7ffd1a2b) << "";
    QTest::newRow("no leading zeros printed") << "0x00ff" << quintptr(0xff) << "0xff";
    // Addresses are as wide as the platform's pointers: 32 bits in the browser.
    const bool wide = sizeof(quintptr) == 8;
    QTest::newRow("above 32 bits") << "55d4c0a1b2c0" << quintptr(wide ? 0x55d4c0a1b2c0ull : 0)
                                   << (wide ? "0x55d4c0a1b2c0" : "");
    const int digits = 2 * sizeof(quintptr);
    QTest::newRow("largest") << QString(digits, QLatin1Char('f'))
                             << std::numeric_limits<quintptr>::max() << "";
    QTest::newRow("one above the largest")
        << QLatin1Char('1') + QString(digits, QLatin1Char('0')) << quintptr(0) << "";
    QTest::newRow("empty") << "" << quintptr(0) << "";
    QTest::newRow("word") << "hello" << quintptr(0) << "";
    QTest::newRow("prefix only") << "0x" << quintptr(0) << "";
    QTest::newRow("negative") << "-7ffd1a2b" << quintptr(0) << "";
    QTest::newRow("inner space") << "7ffd 1a2b" << quintptr(0) << "";
    QTest::newRow("long paste") << QString(100000, QLatin1Char('f')) << quintptr(0) << "";

    // One strict reading: white space around, "+" and "0x" in front, nothing else.
    const QString address = QStringLiteral("7ffd1a2b");
    const QChar nul(0);
    QTest::newRow("NUL then junk") << address + nul + QLatin1String("zz") << quintptr(0) << "";
    QTest::newRow("NUL then an address")
        << address + nul + QLatin1String("0x1234") << quintptr(0) << "";
    QTest::newRow("trailing NUL") << address + nul << quintptr(0) << "";
    QTest::newRow("U+3000 around")
        << QChar(0x3000) + address + QChar(0x3000) << quintptr(0x7ffd1a2b) << "";
    QTest::newRow("tab and newline around") << "\t0x7ffd1a2b\n" << quintptr(0x7ffd1a2b) << "";
    QTest::newRow("Arabic-Indic digit in front") << QChar(0x0661) + address << quintptr(0) << "";
    QTest::newRow("zero-width space inside")
        << QStringLiteral("7ffd\u200b1a2b") << quintptr(0) << "";
    QTest::newRow("plus in front") << "+7ffd1a2b" << quintptr(0x7ffd1a2b) << "";
    QTest::newRow("plus before 0x") << "+0x7ffd1a2b" << quintptr(0x7ffd1a2b) << "";
    QTest::newRow("plus after 0x") << "0x+7ffd1a2b" << quintptr(0) << "";
    QTest::newRow("second 0x") << "0x0x7ffd1a2b" << quintptr(0) << "";
    QTest::newRow("leading zeros") << "0x0000000000000000007ffd1a2b" << quintptr(0x7ffd1a2b) << "";
}

void tst_Puzzle::addresses()
{
    QFETCH(QString, text);
    QFETCH(quintptr, value);
    QFETCH(QString, printed);
    QCOMPARE(Puzzle::parseAddress(text), value);
    if (!printed.isEmpty())
        QCOMPARE(Puzzle::addressText(value), printed);
}

QTEST_APPLESS_MAIN(tst_Puzzle)
#include "tst_puzzle.moc"
