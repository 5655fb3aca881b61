// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

namespace zorvikta::tools {

// An illustration of the four-relay controller board, seen from above, for the About window.
class BoardPicture {
public:
    static constexpr int width = 388;
    static constexpr int height = 328;

    static QImage render();
};

} // namespace zorvikta::tools
