// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace zorvikta::test {

// Permission bits stop everyone but root, so a test about a refused file runs its body as the
// user nobody: the test executable runs the current test function (and data row) again in a
// child process under setpriv, in a folder of its own.
struct AsNobody {
    enum class Where {
        Here,      // this process may run the body: it is that child, or not root anyway
        InChild,   // the child has run the body; `passed` and `report` tell how it went
        Impossible // no child can run as nobody here; `report` says why
    };
    Where where = Where::Here;
    bool passed = false;
    QString report;
};

AsNobody runAsNobody();

} // namespace zorvikta::test
