// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

namespace zorvikta::tools {

// The cable from the computer's serial port to the relay board, both connectors seen from the
// solder side, with the pin-to-contact table beside them.
class WiringDiagram {
public:
    static constexpr int width = 2812;
    static constexpr int height = 1328;

    static QImage render();
};

} // namespace zorvikta::tools
