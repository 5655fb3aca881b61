// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/DiskFilling.h"

#include <cerrno>

namespace zorvikta::test {

QString whyNoFillingDisk()
{
    return QStringLiteral("Windows has no per-process file-size limit, and a small volume to fill "
                          "is no cheap thing to make here");
}

int fullDiskError()
{
    return ENOSPC;
}

FillingDisk::FillingDisk(qint64) {}

} // namespace zorvikta::test
