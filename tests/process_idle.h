#pragma once

#include <QFile>
#include <QString>

#include <sys/syscall.h>

// True while the process's main thread is blocked in poll(): a Qt program under
// the offscreen platform blocks there only in its event loop, waiting for
// input, so whatever it set out to do before or in reply to an event is done.
// Linux reports the blocking system call in /proc/PID/syscall.
inline bool waitsForEvents(qint64 pid)
{
    QFile state(QStringLiteral("/proc/%1/syscall").arg(pid));
    if (!state.open(QIODevice::ReadOnly))
        return false;
    bool isNumber = false;
    const long call = state.readAll().split(' ').value(0).trimmed().toLong(&isNumber);
    return isNumber && (call == SYS_poll || call == SYS_ppoll);
}
