// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

namespace zorvikta {

// Every window of the program draws with Fusion, whatever style the desktop names: Fusion takes
// every state it draws (hovered, pressed, highlighted) from the palette, so the light design
// palette holds throughout, where a dark desktop style would paint its own dark surfaces under
// the palette's black texts. Also makes the design palette and font the application's, and gives
// them to the windows Qt opens by itself: tool tips, context menus and lists.
void useDesignStyle();

// The design palette and font for one of the program's own windows: a window takes neither
// from the window that owns it, and the desktop may change the application's font later.
void giveDesignLook(QWidget& window);

} // namespace zorvikta
