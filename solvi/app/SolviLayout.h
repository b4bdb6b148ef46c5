#pragma once

#include <string>
#include <vector>

#include "solvi/app/PortProbe.h"

namespace norda::solvi {

struct PixelRect {
    int x = 0, y = 0, w = 0, h = 0;
};

// Where the panels go: two columns of 317 x 48 pixel panels, row by row in port order,
// and with exactly one panel the version panel under it. The frame numbers include the
// window border (6 pixels across) and the caption with the menu bar (44 pixels high).
struct PanelLayout {
    static constexpr int kPanelWidth = 317;
    static constexpr int kPanelHeight = 48;
    static constexpr int kVersionHeight = 160;
    static constexpr int kBorderWidth = 6;
    static constexpr int kCaptionAndMenu = 44;

    struct Place {
        int port;
        PixelRect rect;
    };
    std::vector<Place> panels;
    bool singlePortLayout = false;
    int singlePort = 0;  // the highest port placed
    PixelRect versionPanel;
    PixelRect frame;

    // The frame's inside, where the panels live.
    int ClientWidth() const { return frame.w - kBorderWidth; }
    int ClientHeight() const { return frame.h - kCaptionAndMenu; }
};

PanelLayout ComputeLayout(const PortFlags& open, int screenWidth, int screenHeight);

// The frame title for the four situations: with or without a loaded file, one panel or
// several.
std::string FrameTitle(const char* programName, bool loaded, bool singlePortLayout, int port,
                       const std::string& fileName, const std::string& versionText);

}  // namespace norda::solvi
