// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/ProcessMemory.h"

#include <QFile>
#include <QList>

#include <unistd.h>

namespace zorvikta::test {

qint64 residentKiB()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() < 2 ? -1 : fields[1].toLongLong() * ::sysconf(_SC_PAGESIZE) / 1024;
}

} // namespace zorvikta::test
