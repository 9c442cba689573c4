// SPDX-FileCopyrightText: 2026 The Ravelbox authors
// SPDX-License-Identifier: MIT

#ifndef PRECISETIMERS_H
#define PRECISETIMERS_H

// While alive, asks the kernel not to delay this thread's sleeps and timers
// to batch wake-ups (Linux stretches each by 50 us by default). Restores the
// previous setting when it goes. Does nothing on other systems.
class PreciseTimers
{
public:
    PreciseTimers();
    ~PreciseTimers();

    PreciseTimers(const PreciseTimers &) = delete;
    PreciseTimers &operator=(const PreciseTimers &) = delete;

private:
    long m_previousSlack = -1;
};

#endif // PRECISETIMERS_H
