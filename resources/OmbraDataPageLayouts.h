#pragma once

// Layouts of the channel (64), KSYS (65) and analog data (72) pages. Every language
// gives its own texts; the controls, their identifiers and their places are shared so
// that the pages look alike in all languages.

#include <array>
#include <cstddef>
#include <string_view>

#include "resources/ResourceData.h"

namespace norda::datapages {

// The page's heading, shown in bold at its top.
inline constexpr int kHeadingId = 100;

struct ChannelPageTexts {
    std::string_view title;
    // "Kanal No", "Kanal Adı", "TxFrek.", "RxFrek.", "TxTCS", "RxTCS", "TOT", "HPRF",
    // "ANI", "Tarama".
    std::array<std::string_view, 10> columns;
};

struct KsysPageTexts {
    std::string_view title;
    // Controls 101-107 in identifier order.
    std::array<std::string_view, 7> labels;
    std::string_view groupBox;
    // Group numbers 1-10 (controls 108-117).
    std::array<std::string_view, 10> groups;
};

struct ADataPageTexts {
    std::string_view title;
    std::array<std::string_view, 5> identities;  // 101-105
    std::array<std::string_view, 5> groups;      // 106-110
    std::array<std::string_view, 24> statuses;   // 111-134
};

// Channel page: a heading, a row of column headings and ten rows of ten controls.
inline constexpr int kChannelPageWidth = 560;
inline constexpr int kChannelRowTop = 62;
inline constexpr int kChannelRowPitch = 28;
inline constexpr int kChannelPageHeight = kChannelRowTop + 10 * kChannelRowPitch + 8;

struct Column {
    ControlKind kind;
    int x, w;
};

inline constexpr std::array<Column, 10> kChannelColumns{{
    {ControlKind::Static, 4, 56},
    {ControlKind::Edit, 63, 82},
    {ControlKind::Edit, 148, 76},
    {ControlKind::Edit, 227, 76},
    {ControlKind::Edit, 306, 42},
    {ControlKind::Edit, 351, 42},
    {ControlKind::CheckBox, 396, 36},
    {ControlKind::CheckBox, 435, 40},
    {ControlKind::CheckBox, 478, 30},
    {ControlKind::CheckBox, 511, 46},
}};

constexpr std::array<DialogControl, 1 + 10 + 100> ChannelPageControls(const ChannelPageTexts& t) {
    std::array<DialogControl, 1 + 10 + 100> c{};
    size_t i = 0;
    c[i++] = {ControlKind::Static,    kHeadingId, t.title,        8, 8,
              kChannelPageWidth - 16, 24,         kCtlAlignCenter};
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
            const int id = 100 + static_cast<int>(k) * 10 + r;
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
    c[i++] = {ControlKind::Static, kHeadingId, t.title,        8, 8,
              kKsysPageWidth - 16, 24,         kCtlAlignCenter};
    // Shown in this order: identities, receive frequency and tone, transmit frequency
    // and tone; widths fit the longest value each field takes.
    struct Row {
        int id;
        int editWidth;
    };
    constexpr Row kRows[] = {{101, 64}, {102, 48}, {103, 86}, {105, 48}, {104, 86}, {106, 48}};
    int y = 46;
    for (const Row& row : kRows) {
        c[i++] = {ControlKind::Static,
                  -1,
                  t.labels[static_cast<size_t>(row.id - 101)],
                  16,
                  y,
                  184,
                  24,
                  0};
        c[i++] = {ControlKind::Edit, row.id, "", 208, y, row.editWidth, 24, 0};
        y += 30;
    }
    c[i++] = {ControlKind::CheckBox, 107, t.labels[6], 16, y + 2, 270, 24, 0};
    c[i++] = {ControlKind::GroupBox, -1, t.groupBox, 322, 40, 202, 186, 0};
    for (int g = 0; g < 10; ++g) {
        const int x = g < 5 ? 338 : 432;
        const int gy = 68 + (g % 5) * 30;
        c[i++] = {ControlKind::Static, -1, t.groups[static_cast<size_t>(g)], x, gy, 24, 24, 0};
        c[i++] = {ControlKind::Edit, 108 + g, "", x + 32, gy, 40, 24, 0};
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
    c[i++] = {ControlKind::Static,  kHeadingId, t.title,        8, 8,
              kADataPageWidth - 16, 24,         kCtlAlignCenter};
    constexpr int kIdWidths[] = {40, 56, 56, 56, 48};
    for (int k = 0; k < 5; ++k) {
        const int y = 46 + k * 30;
        c[i++] = {ControlKind::Static, -1, t.identities[static_cast<size_t>(k)], 24, y, 170, 24, 0};
        c[i++] = {ControlKind::Edit, 101 + k, "", 198, y, kIdWidths[k], 24, 0};
    }
    for (int k = 0; k < 5; ++k) {
        const int y = 46 + k * 30;
        c[i++] = {ControlKind::Static, -1, t.groups[static_cast<size_t>(k)], 348, y, 84, 24, 0};
        c[i++] = {ControlKind::Edit, 106 + k, "", 436, y, 56, 24, 0};
    }
    c[i++] = {ControlKind::GroupBox,   -1, "", 8, kADataStatusTop - 10, kADataPageWidth - 16,
              8 * kADataRowPitch + 24, 0};
    for (int s = 0; s < 24; ++s) {
        const int x = 20 + (s / 8) * 180;
        const int y = kADataStatusTop + (s % 8) * kADataRowPitch;
        c[i++] = {ControlKind::Static, -1, t.statuses[static_cast<size_t>(s)], x, y, 70, 24, 0};
        c[i++] = {ControlKind::Edit, 111 + s, "", x + 78, y, 88, 24, 0};
    }
    return c;
}

}  // namespace norda::datapages
