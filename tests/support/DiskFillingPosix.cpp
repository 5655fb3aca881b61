// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/DiskFilling.h"
#include "support/FileSizeLimit.h"

#include <cerrno>
#include <memory>

namespace zorvikta::test {

QString whyNoFillingDisk()
{
    return {};
}

int fullDiskError()
{
    // The file-size limit's error, which the program meets as it would a full disk.
    return EFBIG;
}

FillingDisk::FillingDisk(qint64 bytes)
    : m_undo(
          std::make_shared<decltype(limitFileSize(0))>(limitFileSize(static_cast<rlim_t>(bytes))))
{}

} // namespace zorvikta::test
