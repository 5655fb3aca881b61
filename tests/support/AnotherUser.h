// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Files that another user on the same machine owns.
namespace zorvikta::test {

// Why this process cannot make a file another user's; empty where it can.
QString whyNoOtherUser();

// Makes another user the owner of the file, or of a link itself rather than its target.
bool giveToAnotherUser(const QString& path);

} // namespace zorvikta::test
