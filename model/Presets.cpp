// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Presets.h"

#include <algorithm>

namespace zorvikta {

namespace {

constexpr std::array<std::uint8_t, 8> kRun4_1{0x80, 0x40, 0x20, 0x10, 0x80, 0x40, 0x20, 0x10};
constexpr std::array<std::uint8_t, 8> kRun4_2{0xC0, 0x60, 0x30, 0x90, 0xC0, 0x60, 0x30, 0x90};
constexpr std::array<std::uint8_t, 8> kRun4_3{0xE0, 0x70, 0xB0, 0xD0, 0xE0, 0x70, 0xB0, 0xD0};
constexpr std::array<std::uint8_t, 6> kRoundTrip4{0x80, 0x40, 0x20, 0x10, 0x20, 0x40};
constexpr std::array<std::uint8_t, 6> kRun3_1{0x80, 0x40, 0x20, 0x80, 0x40, 0x20};
constexpr std::array<std::uint8_t, 4> kMeander2{0xF0, 0x00, 0xF0, 0x00};
constexpr std::array<std::uint8_t, 5> kFill4{0x80, 0xC0, 0xE0, 0xF0, 0x00};
constexpr std::array<std::uint8_t, 8> kFillFall4{0x80, 0xC0, 0xE0, 0xF0, 0x70, 0x30, 0x10, 0x00};
constexpr std::array<std::uint8_t, 8> kFlash4{0xF0, 0x00, 0xF0, 0x00, 0xF0, 0x00, 0xF0, 0x00};
constexpr std::array<std::uint8_t, 8> kRunFlash4{0x80, 0x40, 0x20, 0x10, 0xF0, 0x00, 0xF0, 0x00};
constexpr std::array<std::uint8_t, 6> kRun3_2{0xC0, 0x60, 0xA0, 0xC0, 0x60, 0xA0};
constexpr std::array<std::uint8_t, 4> kLightning2{0xF0, 0x00, 0x00, 0x00};
// A binary count 0..15 on the four lamps; the seventeenth byte, beyond the length, wraps to 0.
constexpr std::array<std::uint8_t, 17> kCounter{0x00, 0x10, 0x20, 0x30, 0x40, 0x50,
                                                0x60, 0x70, 0x80, 0x90, 0xA0, 0xB0,
                                                0xC0, 0xD0, 0xE0, 0xF0, 0x00};

constexpr std::array<Preset, 16> kPresets{{
    {"4-1", 4, 8, PresetKind::Fixed, kRun4_1},
    {"4-2", 4, 8, PresetKind::Fixed, kRun4_2},
    {"4-3", 4, 8, PresetKind::Fixed, kRun4_3},
    {"4Ro", 4, 6, PresetKind::Fixed, kRoundTrip4},
    {"3-1", 3, 6, PresetKind::Fixed, kRun3_1},
    {"2C", 2, 4, PresetKind::Fixed, kMeander2},
    {"VS", 4, 24, PresetKind::RandomSparse, {}},
    {"Rnd", 4, 100, PresetKind::Random, {}},
    {"4Np", 4, 5, PresetKind::Fixed, kFill4},
    {"4Gr", 4, 8, PresetKind::Fixed, kFillFall4},
    {"4Fl", 4, 8, PresetKind::Fixed, kFlash4},
    {"4Un", 4, 8, PresetKind::Fixed, kRunFlash4},
    {"3-2", 3, 6, PresetKind::Fixed, kRun3_2},
    {"2L", 2, 4, PresetKind::Fixed, kLightning2},
    {"ST", 4, 16, PresetKind::Fixed, kCounter},
    {"RnF", 4, 100, PresetKind::RandomLit, {}},
}};

constexpr int kDrawnSteps = 102;
constexpr int kDrawRange = 255; // so a drawn byte is never 0xFF
// The patterns laid over the drawn bytes repeat every four steps, 26 times from step 0 to 103.
constexpr int kPeriod = 4;
constexpr int kPeriods = 26;

void drawSteps(RunRecord& record, RandomDraw& draw)
{
    std::generate_n(record.begin(), kDrawnSteps,
                    [&draw] { return static_cast<std::uint8_t>(draw(kDrawRange)); });
}

void setEveryFourth(RunRecord& record, int first, std::uint8_t value)
{
    for (int period = 0; period < kPeriods; ++period)
        record[first + period * kPeriod] = value;
}

} // namespace

void writePresetSteps(const Preset& preset, RunRecord& record, RandomDraw& draw)
{
    switch (preset.kind) {
    case PresetKind::Fixed:
        std::copy(preset.steps.begin(), preset.steps.end(), record.begin());
        break;
    case PresetKind::Random:
        drawSteps(record, draw);
        break;
    case PresetKind::RandomLit:
        drawSteps(record, draw);
        setEveryFourth(record, 0, 0x00);
        setEveryFourth(record, 2, kLampBits);
        break;
    case PresetKind::RandomSparse:
        drawSteps(record, draw);
        setEveryFourth(record, 0, 0x00);
        setEveryFourth(record, 1, 0x00);
        setEveryFourth(record, 2, 0x00);
        break;
    }
}

const std::array<Preset, 16>& presets()
{
    return kPresets;
}

const Preset* findPreset(std::string_view caption)
{
    const auto found =
        std::find_if(kPresets.begin(), kPresets.end(),
                     [caption](const Preset& preset) { return preset.caption == caption; });
    return found == kPresets.end() ? nullptr : &*found;
}

} // namespace zorvikta
