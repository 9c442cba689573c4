// SPDX-FileCopyrightText: 2026 The Ravelbox authors
// SPDX-License-Identifier: MIT

#ifndef PUZZLE_H
#define PUZZLE_H

#include <QString>

#include <array>
#include <functional>

// The widget-free part of the puzzle: the digits the window derives its clue
// from, the clue text itself and the way addresses are written and read.
namespace Puzzle {

// The set-up runs passCount passes of drawsPerPass paired draws and pauses
// pauseMs between the two draws of every pair, so the window cannot appear
// sooner than totalPauseMs after it is created. The pauses are part of the
// game as players know it, not a delay to optimise away.
constexpr int passCount = 14;
constexpr int drawsPerPass = 10;
constexpr int pauseMs = 3;
constexpr int totalPauseMs = passCount * drawsPerPass * pauseMs;

// Entry d holds the character code pass d ended with; entry 0 belongs to no
// pass and stays 0.
using PassCodes = std::array<qint32, passCount + 1>;

// The pass codes as characters, with a terminating zero byte.
using DigitBuffer = std::array<char, passCount + 2>;

// Seed of the second digit source of a pass: pass * 3.14159, truncated.
quint32 secondSeed(int pass);

// Runs the paired draws of one pass and returns the code it ends with: the
// character code of the smaller digit of the last pair of equal parity, or
// `code` unchanged when no pair matched. `betweenDraws` runs between the two
// draws of every pair.
qint32 runPass(int pass, qint32 code, const std::function<void()> &betweenDraws);

DigitBuffer digitBuffer(const PassCodes &codes);
qint32 digitSum(const PassCodes &codes);

// The buffer's characters from byte 1 up to its first zero byte.
QString baseDigits(const DigitBuffer &buffer);

// How many 24-byte steps the FAIL dialog lies above the SUCCESS dialog,
// truncated toward zero; negative when it lies below.
qint64 stepDistance(quintptr failAddress, quintptr successAddress);

// The character code drawn from a digit source with the given seed whose
// parity gives away the sign of the distance: odd when positive, even when
// negative. The distance must not be 0.
int clueCharacter(quint32 seed, qint64 stepDistance);

// The base digits with the distance's magnitude and the clue character
// inserted in decimal at positions 5 and 13; an odd digit sum puts the
// distance first, an even one the clue character.
QString clueText(const DigitBuffer &buffer, qint32 digitSum, qint64 stepDistance);

// "0x" and the address in lower-case hexadecimal without leading zeros.
QString addressText(quintptr address);

// The typed text read as a hexadecimal address: white space at either end,
// an optional "+", an optional "0x" or "0X", then ASCII hexadecimal digits
// whose value fits a pointer. Anything else reads as 0, which no object has.
quintptr parseAddress(const QString &text);

} // namespace Puzzle

#endif // PUZZLE_H
