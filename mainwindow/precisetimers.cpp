// SPDX-FileCopyrightText: 2026 The Ravelbox authors
// SPDX-License-Identifier: MIT

#include "precisetimers.h"

#include <QtGlobal>

#ifdef Q_OS_LINUX
#include <sys/prctl.h>
#endif
#ifdef Q_OS_WIN
#include <windows.h>

#include <timeapi.h> // after windows.h, whose types it uses
#endif

PreciseTimers::PreciseTimers()
{
#ifdef Q_OS_LINUX
    m_previousSlack = prctl(PR_GET_TIMERSLACK, 0, 0, 0, 0);
    if (m_previousSlack > 0)
        prctl(PR_SET_TIMERSLACK, 1UL, 0, 0, 0);
#endif
#ifdef Q_OS_WIN
    m_finerTick = timeBeginPeriod(1) == TIMERR_NOERROR;
#endif
}

PreciseTimers::~PreciseTimers()
{
#ifdef Q_OS_LINUX
    if (m_previousSlack > 0)
        prctl(PR_SET_TIMERSLACK, static_cast<unsigned long>(m_previousSlack), 0, 0, 0);
#endif
#ifdef Q_OS_WIN
    if (m_finerTick)
        timeEndPeriod(1);
#endif
}
