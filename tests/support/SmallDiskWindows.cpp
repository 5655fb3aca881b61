// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/SmallDisk.h"

#include <utility>

namespace zorvikta::test {

SmallDisk::SmallDisk(QString folder)
    : m_folder(std::move(folder)),
      m_failure(QStringLiteral("Windows mounts no filesystem over a folder"))
{}

SmallDisk::~SmallDisk() = default;

bool SmallDisk::fill() const
{
    return false;
}

} // namespace zorvikta::test
