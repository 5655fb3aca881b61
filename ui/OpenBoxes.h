// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace zorvikta {

// Takes every open modal box away unanswered, as a stop does: each box's own event loop ends as
// if the box had been closed.
void takeAwayOpenBoxes();

} // namespace zorvikta
