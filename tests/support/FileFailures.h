// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storage/FileError.h"

#include <QString>

#include <optional>

namespace zorvikta::test {

// What a failure said, so that a comparison shows it; a success says so too.
inline QString messageOf(const std::optional<FileError>& failure)
{
    return failure ? failure->message : QStringLiteral("(no failure)");
}

} // namespace zorvikta::test
