// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace zorvikta::test {

// Root may write anything, so what an ordinary user meets (a file of mode 0444, a folder of mode
// 0555) can only be tried as another user. Call at the top of a test function:
//
//     if (!runAsOrdinaryUser())
//         return;
//
// Run by an ordinary user, it returns true and the test goes on. Run by root, it runs the current
// test function's current row again in a copy of the test executable, as the user nobody, checks
// that child's verdict (failing or skipping with the child's own words) and returns false. Where
// that is impossible it skips with the reason.
bool runAsOrdinaryUser();

} // namespace zorvikta::test
