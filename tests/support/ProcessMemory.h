// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

namespace zorvikta::test {

// The memory of this process that is in RAM now, in KiB; -1 where the system does not say.
qint64 residentKiB();

} // namespace zorvikta::test
