// SPDX-License-Identifier: GPL-3.0-or-later
// The window manager decides where a further window goes.
#include "app/OtherInstances.h"

namespace zorvikta::platform {

OtherInstances otherInstances(const QString& /*captionStart*/)
{
    return {};
}

} // namespace zorvikta::platform
