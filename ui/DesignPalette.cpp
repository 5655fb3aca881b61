// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/DesignPalette.h"

#include <array>

namespace zorvikta {

namespace {

struct RoleColours {
    QPalette::ColorRole role;
    QRgb normal; // active and inactive windows
    QRgb disabled;
};

// A button face of #F0F0F0 is the lightest the green labels (0, 128, 0) need to keep a contrast
// of 4.5:1; the other roles are those of Qt's light Fusion palette, but for two texts that would
// read below 4.5:1 there: white on Fusion's blue highlight (3.7:1) takes a navy one, and the
// half-black placeholder an opaque grey.
constexpr std::array<RoleColours, 20> kRoles{{
    {QPalette::WindowText, 0xff000000, 0xffbebebe},
    {QPalette::Button, 0xfff0f0f0, 0xfff0f0f0},
    {QPalette::Light, 0xffffffff, 0xffffffff},
    {QPalette::Midlight, 0xffcacaca, 0xffcacaca},
    {QPalette::Dark, 0xff9f9f9f, 0xffbebebe},
    {QPalette::Mid, 0xffb8b8b8, 0xffb8b8b8},
    {QPalette::Text, 0xff000000, 0xffbebebe},
    {QPalette::BrightText, 0xffffffff, 0xffffffff},
    {QPalette::ButtonText, 0xff000000, 0xffbebebe},
    {QPalette::Base, 0xffffffff, 0xfff0f0f0},
    {QPalette::Window, 0xfff0f0f0, 0xfff0f0f0},
    {QPalette::Shadow, 0xff767676, 0xffb1b1b1},
    {QPalette::Highlight, 0xff000080, 0xff919191},
    {QPalette::HighlightedText, 0xffffffff, 0xffffffff},
    {QPalette::Link, 0xff0000ff, 0xff0000ff},
    {QPalette::LinkVisited, 0xffff00ff, 0xffff00ff},
    {QPalette::AlternateBase, 0xfff7f7f7, 0xfff7f7f7},
    {QPalette::ToolTipBase, 0xffffffdc, 0xffffffdc},
    {QPalette::ToolTipText, 0xff000000, 0xff000000},
    {QPalette::PlaceholderText, 0xff6d6d6d, 0x80000000},
}};

} // namespace

QPalette designPalette()
{
    QPalette palette;
    for (const RoleColours& colours : kRoles) {
        for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
            palette.setColor(group, colours.role, QColor::fromRgba(colours.normal));
        palette.setColor(QPalette::Disabled, colours.role, QColor::fromRgba(colours.disabled));
    }
    return palette;
}

} // namespace zorvikta
