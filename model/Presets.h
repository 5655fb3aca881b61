// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/RandomDraw.h"
#include "model/RunRecord.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace zorvikta {

// How a preset produces its step bytes.
enum class PresetKind {
    Fixed,        // a fixed byte list
    Random,       // 102 drawn bytes
    RandomLit,    // drawn bytes, then dark, random, fully lit, random, over and over
    RandomSparse, // drawn bytes, then dark everywhere except every fourth step
};

struct Preset {
    std::string_view caption;
    int channels;
    int length;
    PresetKind kind;
    std::span<const std::uint8_t> steps; // Fixed only; may run beyond the length
};

// Writes the preset's step bytes from step 0 on (fixed bytes, or draws for the random ones,
// including "ST"'s 17 bytes and byte 102 of "RnF"/"VS"); touches nothing else.
void writePresetSteps(const Preset& preset, RunRecord& record, RandomDraw& draw);

// The sixteen presets in the order of their buttons: upper row, then lower row, left to right.
const std::array<Preset, 16>& presets();

// The preset with this caption, or nullptr.
const Preset* findPreset(std::string_view caption);

} // namespace zorvikta
