#pragma once

#include <QtGlobal>

// Memory and descriptors of this process, as Linux reports them in /proc.
class ProcessMemory {
public:
    // Resident memory now, in bytes.
    static qint64 resident();
    // The resident high-water mark, in bytes.
    static qint64 peakResident();
    // Lowers the high-water mark to what is resident now, so that a later
    // peakResident() gives the peak of what ran in between; false where the
    // kernel does not allow it.
    static bool resetPeak();
    static int openDescriptors();
};
