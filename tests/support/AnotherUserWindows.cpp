// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/AnotherUser.h"

namespace zorvikta::test {

QString whyNoOtherUser()
{
    return QStringLiteral("Windows guards a user's files by their folders' access lists, not by "
                          "owners");
}

bool giveToAnotherUser(const QString&)
{
    return false;
}

} // namespace zorvikta::test
