// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

namespace zorvikta {

class TMainForm;

// The whole program: creates the windows in their order and runs the event loop until the main
// window has closed. `afterShow` lets a benchmark watch the shown window.
int runProgram(int& argc, char** argv, const std::function<void(TMainForm&)>& afterShow = {});

} // namespace zorvikta
