// SPDX-FileCopyrightText: 2026 The Ravelbox authors
// SPDX-License-Identifier: MIT

#ifndef DIGITSOURCE_H
#define DIGITSOURCE_H

#include <QtGlobal>

#include <random>

// A reproducible stream of decimal digits from a 32-bit seed: the same seed
// gives the same digits on every platform and in every run.
class DigitSource
{
public:
    // The published 32-bit Mersenne Twister, seeded with a single integer.
    using Engine = std::mt19937;

    explicit DigitSource(quint32 seed)
        : m_engine(seed)
    {
    }

    int drawDigit() { return drawDigit(m_engine); }

    // The digit rule on any source of raw 32-bit outputs.
    template<typename Generator> static int drawDigit(Generator &outputs);

private:
    Engine m_engine;
};

template<typename Generator> int DigitSource::drawDigit(Generator &outputs)
{
    // Outputs from the largest multiple of ten upward would favour the low
    // digits, so they are skipped; every digit then has the same chance.
    constexpr quint32 firstSkipped = 4294967290u;
    for (;;) {
        const quint32 value = static_cast<quint32>(outputs());
        if (value < firstSkipped)
            return static_cast<int>(value % 10);
    }
}

#endif // DIGITSOURCE_H
