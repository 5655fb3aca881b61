// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/LinkError.h"

#include <QMetaType>

// Lets the data-driven tests carry stages and causes in their columns.
Q_DECLARE_METATYPE(zorvikta::LinkError::Stage)
Q_DECLARE_METATYPE(zorvikta::LinkError::Cause)
