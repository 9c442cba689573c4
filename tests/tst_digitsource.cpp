// SPDX-FileCopyrightText: 2026 The Ravelbox authors
// SPDX-License-Identifier: MIT

#include "digitsource.h"

#include <QtTest>

#include <deque>

namespace {

// Hands out scripted raw outputs, so the skipping rule can be driven directly.
struct ScriptedEngine
{
    std::deque<quint32> outputs;
    int taken = 0;
    quint32 operator()()
    {
        ++taken;
        const quint32 value = outputs.front();
        outputs.pop_front();
        return value;
    }
};

} // namespace

using Outputs = QVector<quint32>;
using Digits = QVector<int>;

class tst_DigitSource : public QObject
{
    Q_OBJECT

private slots:
    void seeds_data();
    void seeds();
    void skipsTopOutputs_data();
    void skipsTopOutputs();
};

void tst_DigitSource::seeds_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("skipped");
    QTest::addColumn<Outputs>("outputs");
    QTest::addColumn<Digits>("digits");

    // The engine is MT19937 and the digits are its outputs' remainders.
    QTest::newRow("seed 1") << 1u << 0
                            << Outputs { 1791095845u, 4282876139u, 3093770124u, 4005303368u,
                                         491263u }
                            << Digits { 5, 9, 4, 8, 3, 3, 1, 1, 9, 2 };
    QTest::newRow("seed 3") << 3u << 0 << Outputs {} << Digits { 6, 8, 7, 7, 0, 0, 0, 5, 1, 9 };
    QTest::newRow("seed 49") << 49u << 0 << Outputs {} << Digits { 0, 3, 2, 7, 6, 2, 2, 8, 3, 9 };
    QTest::newRow("10000th output of seed 5489")
        << 5489u << 9999 << Outputs { 4123659995u } << Digits {};
}

void tst_DigitSource::seeds()
{
    QFETCH(quint32, seed);
    QFETCH(int, skipped);
    QFETCH(Outputs, outputs);
    QFETCH(Digits, digits);

    DigitSource::Engine engine(seed);
    engine.discard(static_cast<unsigned long long>(skipped));
    Outputs produced;
    for (int i = 0; i < outputs.size(); ++i)
        produced.append(engine());
    QCOMPARE(produced, outputs);

    DigitSource source(seed);
    Digits drawn;
    for (int i = 0; i < digits.size(); ++i)
        drawn.append(source.drawDigit());
    QCOMPARE(drawn, digits);
}

void tst_DigitSource::skipsTopOutputs_data()
{
    QTest::addColumn<Outputs>("outputs");
    QTest::addColumn<int>("digit");
    QTest::addColumn<int>("taken");
    QTest::newRow("remainder, not quotient") << Outputs { 1791095845u } << 5 << 1;
    QTest::newRow("last kept output") << Outputs { 4294967289u } << 9 << 1;
    QTest::newRow("first skipped output") << Outputs { 4294967290u, 17u } << 7 << 2;
    QTest::newRow("largest output") << Outputs { 4294967295u, 0u } << 0 << 2;
    QTest::newRow("run of skipped outputs")
        << Outputs { 4294967290u, 4294967293u, 4294967295u, 4294967288u } << 8 << 4;
}

void tst_DigitSource::skipsTopOutputs()
{
    QFETCH(Outputs, outputs);
    QFETCH(int, digit);
    QFETCH(int, taken);
    ScriptedEngine engine { std::deque<quint32>(outputs.begin(), outputs.end()) };
    QCOMPARE(DigitSource::drawDigit(engine), digit);
    QCOMPARE(engine.taken, taken);
}

QTEST_APPLESS_MAIN(tst_DigitSource)
#include "tst_digitsource.moc"
