// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace zorvikta {

// Why a transfer to the board failed, kept as data so only the window decides how to show it.
struct LinkError {
    enum class Stage { Open, Configure, Write };
    enum class Cause { NotFound, Permission, Busy, NameTooLong, Other };

    Stage stage;
    Cause cause;
    QString deviceName;
    QString systemMessage; // what the system said (strerror text or QSerialPort's errorString)
};

// Russian informative text for the warning box: the device name, what the system said and, where
// the cause suggests one, what the user can do about it.
QString describeLinkError(const LinkError& error);

} // namespace zorvikta
