// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/AnotherUser.h"

#include <QFile>

#include <pwd.h>
#include <unistd.h>

namespace zorvikta::test {

namespace {

// Only root can give a file away; the other user is nobody.
const passwd* otherUser()
{
    return ::geteuid() == 0 ? ::getpwnam("nobody") : nullptr;
}

} // namespace

QString whyNoOtherUser()
{
    return otherUser() ? QString() : QStringLiteral("only root can give a file to another user");
}

bool giveToAnotherUser(const QString& path)
{
    const passwd* other = otherUser();
    return other != nullptr &&
           ::lchown(QFile::encodeName(path).constData(), other->pw_uid, other->pw_gid) == 0;
}

} // namespace zorvikta::test
