// SPDX-FileCopyrightText: 2026 The Ravelbox authors
// SPDX-License-Identifier: MIT

#include "puzzle.h"

#include "digitsource.h"

#include <limits>

namespace Puzzle {

namespace {

constexpr int stepSize = 24;
constexpr int firstInsert = 5;
constexpr int secondInsert = 13;
// The clue source is seeded from the ninth base digit.
constexpr int clueSeedByte = 9;

// The value of an ASCII hexadecimal digit in either case, or -1 for any other
// character: other scripts' digits do not count.
int hexDigit(QChar character)
{
    const char16_t c = character.unicode();
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

} // namespace

quint32 secondSeed(int pass)
{
    return static_cast<quint32>(pass * 3.14159);
}

qint32 runPass(int pass, qint32 code, const std::function<void()> &betweenDraws)
{
    DigitSource first(static_cast<quint32>(pass));
    DigitSource second(secondSeed(pass));
    for (int round = 0; round < drawsPerPass; ++round) {
        const int firstDigit = first.drawDigit();
        betweenDraws();
        const int secondDigit = second.drawDigit();
        if (firstDigit % 2 == secondDigit % 2)
            code = '0' + qMin(firstDigit, secondDigit);
    }
    return code;
}

DigitBuffer digitBuffer(const PassCodes &codes)
{
    DigitBuffer buffer {};
    for (std::size_t i = 0; i < codes.size(); ++i)
        buffer[i] = static_cast<char>(codes[i]);
    return buffer;
}

qint32 digitSum(const PassCodes &codes)
{
    qint32 sum = 0;
    for (const qint32 code : codes)
        sum += code;
    return sum;
}

QString baseDigits(const DigitBuffer &buffer)
{
    return QString::fromLatin1(buffer.data() + 1);
}

qint64 stepDistance(quintptr failAddress, quintptr successAddress)
{
    // Subtracting unsigned and reading the result as signed gives the true
    // difference at full pointer width, negative when the FAIL dialog lies
    // below; C++ division truncates toward zero.
    const auto difference = static_cast<qintptr>(failAddress - successAddress);
    return static_cast<qint64>(difference) / stepSize;
}

int clueCharacter(quint32 seed, qint64 stepDistance)
{
    Q_ASSERT(stepDistance != 0);
    DigitSource source(seed);
    const int wantedParity = stepDistance > 0 ? 1 : 0;
    int character;
    do {
        character = '0' + source.drawDigit();
    } while (character % 2 != wantedParity);
    return character;
}

QString clueText(const DigitBuffer &buffer, qint32 digitSum, qint64 stepDistance)
{
    // The byte is a plain char: widen it as the signed value it holds.
    const auto seed
        = static_cast<quint32>(static_cast<qint32>(static_cast<signed char>(buffer[clueSeedByte])));
    const QString clue = QString::number(clueCharacter(seed, stepDistance));
    const QString distance = QString::number(qAbs(stepDistance));

    const bool distanceFirst = digitSum % 2 != 0;
    QString text = baseDigits(buffer);
    text.insert(firstInsert, distanceFirst ? distance : clue);
    text.insert(secondInsert, distanceFirst ? clue : distance);
    return text;
}

QString addressText(quintptr address)
{
    return QLatin1String("0x") + QString::number(address, 16);
}

quintptr parseAddress(const QString &text)
{
    // Read by hand rather than with QString's number parsing, which differs
    // between Qt 5 and Qt 6 (Qt 6 stops at a NUL and keeps U+3000), so that a
    // pasted "<address>\0<junk>" cannot pass for the address.
    const QString trimmed = text.trimmed();
    QStringView digits(trimmed);
    if (digits.startsWith(QLatin1Char('+')))
        digits = digits.mid(1);
    if (digits.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        digits = digits.mid(2);
    if (digits.isEmpty())
        return 0;

    constexpr quintptr largestBeforeShift = std::numeric_limits<quintptr>::max() >> 4;
    quintptr value = 0;
    for (const QChar character : digits) {
        const int digit = hexDigit(character);
        if (digit < 0 || value > largestBeforeShift)
            return 0;
        value = (value << 4) | static_cast<quintptr>(digit);
    }
    return value;
}

} // namespace Puzzle
