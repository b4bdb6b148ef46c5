#pragma once

// Layouts of the channel (64), KSYS (65) and analog data (72) pages. Every language
// gives its own texts; the controls, their identifiers and their places are shared so
// that the pages look alike in all languages.

#include <array>
#include <cstddef>
#include <string_view>

#include "resources/OmbraControlIds.h"
#include "resources/ResourceData.h"

namespace norda::datapages {

struct ChannelPageTexts {
    std::string_view title;
    // "Kanal No", "Kanal Adı", "TxFrek.", "RxFrek.", "TxTCS", "RxTCS", "TOT", "HPRF",
    // "ANI", "Tarama".
    std::array<std::string_view, 10> columns;
};

struct KsysPageTexts {
    std::string_view title;
    // Labels of the controls from the system identity to high power, in identifier order.
    std::array<std::string_view, 7> labels;
    std::string_view groupBox;
    // Group numbers 1-10.
    std::array<std::string_view, 10> groups;
};

struct ADataPageTexts {
    std::string_view title;
    std::array<std::string_view, 5> identities;  // the system identity to the preamble
    std::array<std::string_view, 5> groups;
    std::array<std::string_view, 24> statuses;
};

// Channel page: a heading, a row of column headings and ten rows of ten controls.
inline constexpr int kChannelPageWidth = 560;
inline constexpr int kChannelRowTop = 62;
inline constexpr int kChannelRowPitch = 28;
inline constexpr int kChannelPageHeight = kChannelRowTop + 10 * kChannelRowPitch + 8;

struct Column {
    ChannelIds::Column id;
    ControlKind kind;
    int x, w;
};

inline constexpr std::array<Column, 10> kChannelColumns{{
    {ChannelIds::kNumber, ControlKind::Static, 4, 56},
    {ChannelIds::kName, ControlKind::Edit, 63, 82},
    {ChannelIds::kTxFreq, ControlKind::Edit, 148, 76},
    {ChannelIds::kRxFreq, ControlKind::Edit, 227, 76},
    {ChannelIds::kTxTone, ControlKind::Edit, 306, 42},
    {ChannelIds::kRxTone, ControlKind::Edit, 351, 42},
    {ChannelIds::kTot, ControlKind::CheckBox, 396, 36},
    {ChannelIds::kHprf, ControlKind::CheckBox, 435, 40},
    {ChannelIds::kAni, ControlKind::CheckBox, 478, 30},
    {ChannelIds::kScan, ControlKind::CheckBox, 511, 46},
}};

constexpr std::array<DialogControl, 1 + 10 + 100> ChannelPageControls(const ChannelPageTexts& t) {
    std::array<DialogControl, 1 + 10 + 100> c{};
    size_t i = 0;
    c[i++] = {ControlKind::Static, kPageHeadingId, t.title, 8, 8, kChannelPageWidth - 16, 24,
              kCtlAlignCenter};
    for (size_t k = 0; k < kChannelColumns.size(); ++k) {
        const Column& col = kChannelColumns[k];
        c[i++] = {ControlKind::Static, -1, t.columns[k],   col.x - 2, 38,
                  col.w + 4,           20, kCtlAlignCenter};
    }
    constexpr int kBox = 18;
    for (int r = 1; r <= 10; ++r) {
        const int y = kChannelRowTop + (r - 1) * kChannelRowPitch;
        for (size_t k = 0; k < kChannelColumns.size(); ++k) {
            const Column& col = kChannelColumns[k];
            const int id = col.id + r;
            if (col.kind == ControlKind::CheckBox) {
                c[i++] = {col.kind, id, "", col.x + (col.w - kBox) / 2, y, kBox, 24, 0};
            } else {
                c[i++] = {
                    col.kind, id,    "", col.x,
                    y,        col.w, 24, col.kind == ControlKind::Static ? kCtlAlignCenter : 0};
            }
        }
    }
    return c;
}

// KSYS page: the identities, frequencies and tones on the left, the ten group numbers in
// a box on the right.
inline constexpr int kKsysPageWidth = 540;
inline constexpr int kKsysPageHeight = 264;

constexpr std::array<DialogControl, 1 + 7 + 6 + 1 + 20> KsysPageControls(const KsysPageTexts& t) {
    std::array<DialogControl, 1 + 7 + 6 + 1 + 20> c{};
    size_t i = 0;
    c[i++] = {ControlKind::Static, kPageHeadingId, t.title, 8, 8, kKsysPageWidth - 16, 24,
              kCtlAlignCenter};
    // Shown in this order: identities, receive frequency and tone, transmit frequency
    // and tone; widths fit the longest value each field takes.
    struct Row {
        int id;
        int editWidth;
    };
    using enum KsysIds::Control;
    constexpr Row kRows[] = {{kSysId, 64},  {kSmtIdent, 48}, {kRxFreq, 86},
                             {kRxTone, 48}, {kTxFreq, 86},   {kTxTone, 48}};
    int y = 46;
    for (const Row& row : kRows) {
        c[i++] = {ControlKind::Static,
                  -1,
                  t.labels[static_cast<size_t>(row.id - kSysId)],
                  16,
                  y,
                  184,
                  24,
                  0};
        c[i++] = {ControlKind::Edit, row.id, "", 208, y, row.editWidth, 24, 0};
        y += 30;
    }
    c[i++] = {ControlKind::CheckBox, kHighPower, t.labels[6], 16, y + 2, 270, 24, 0};
    c[i++] = {ControlKind::GroupBox, -1, t.groupBox, 322, 40, 202, 186, 0};
    for (int g = 0; g < 10; ++g) {
        const int x = g < 5 ? 338 : 432;
        const int gy = 68 + (g % 5) * 30;
        c[i++] = {ControlKind::Static, -1, t.groups[static_cast<size_t>(g)], x, gy, 24, 24, 0};
        c[i++] = {ControlKind::Edit, kFirstGroup + g, "", x + 32, gy, 40, 24, 0};
    }
    return c;
}

// Analog data page: identities and groups side by side, the 24 status messages below in
// three columns of eight.
inline constexpr int kADataPageWidth = 560;
inline constexpr int kADataStatusTop = 200;
inline constexpr int kADataRowPitch = 26;
inline constexpr int kADataPageHeight = kADataStatusTop + 8 * kADataRowPitch + 22;

constexpr std::array<DialogControl, 1 + 10 + 10 + 1 + 48> ADataPageControls(
    const ADataPageTexts& t) {
    std::array<DialogControl, 1 + 10 + 10 + 1 + 48> c{};
    size_t i = 0;
    c[i++] = {ControlKind::Static, kPageHeadingId, t.title, 8, 8, kADataPageWidth - 16, 24,
              kCtlAlignCenter};
    constexpr int kIdWidths[] = {40, 56, 56, 56, 48};
    for (int k = 0; k < 5; ++k) {
        const int y = 46 + k * 30;
        c[i++] = {ControlKind::Static, -1, t.identities[static_cast<size_t>(k)], 24, y, 170, 24, 0};
        c[i++] = {ControlKind::Edit, ADataIds::kSysId + k, "", 198, y, kIdWidths[k], 24, 0};
    }
    for (int k = 0; k < 5; ++k) {
        const int y = 46 + k * 30;
        c[i++] = {ControlKind::Static, -1, t.groups[static_cast<size_t>(k)], 348, y, 84, 24, 0};
        c[i++] = {ControlKind::Edit, ADataIds::kFirstGroup + k, "", 436, y, 56, 24, 0};
    }
    c[i++] = {ControlKind::GroupBox,   -1, "", 8, kADataStatusTop - 10, kADataPageWidth - 16,
              8 * kADataRowPitch + 24, 0};
    for (int s = 0; s < 24; ++s) {
        const int x = 20 + (s / 8) * 180;
        const int y = kADataStatusTop + (s % 8) * kADataRowPitch;
        c[i++] = {ControlKind::Static, -1, t.statuses[static_cast<size_t>(s)], x, y, 70, 24, 0};
        c[i++] = {ControlKind::Edit, ADataIds::kFirstStatus + s, "", x + 78, y, 88, 24, 0};
    }
    return c;
}

}  // namespace norda::datapages
