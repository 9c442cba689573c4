// SPDX-FileCopyrightText: 2026 The Ravelbox authors
// SPDX-License-Identifier: MIT

#ifndef PRECISETIMERS_H
#define PRECISETIMERS_H

// While alive, asks the kernel not to delay this thread's sleeps and timers
// to batch wake-ups: Linux stretches each by 50 us by default, and Windows
// rounds a 3 ms sleep up to its 15.6 ms clock tick, which would make the
// window appear seconds late. Restores the previous setting when it goes.
class PreciseTimers
{
public:
    PreciseTimers();
    ~PreciseTimers();

    PreciseTimers(const PreciseTimers &) = delete;
    PreciseTimers &operator=(const PreciseTimers &) = delete;

private:
    // Each is used on one platform only.
    [[maybe_unused]] long m_previousSlack = -1;
    [[maybe_unused]] bool m_finerTick = false;
};

#endif // PRECISETIMERS_H
