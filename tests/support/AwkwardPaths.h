// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace zorvikta::test {

// Something of the kind named that cannot be read or written as a run file, made inside
// `folder`: "directory", "parent is a file" (the file is "plain"), "missing folder", "name too
// long", "fifo", "full device", "refused character"; any other kind names a file not there. Where
// this system has no such thing, or it is no fault here, the name is empty and `skip` says why.
QString awkwardPath(const QString& kind, const QString& folder, QString& skip);

} // namespace zorvikta::test
