#include "solvi/app/SolviLayout.h"

namespace norda::solvi {

PanelLayout ComputeLayout(const PortFlags& open, int screenWidth, int screenHeight) {
    PanelLayout layout;
    int n = 0;
    for (int port = 1; port <= kMaxPorts; ++port) {
        if (!open[port])
            continue;
        layout.panels.push_back(
            {port,
             {(n % 2) * PanelLayout::kPanelWidth, (n / 2) * PanelLayout::kPanelHeight,
              PanelLayout::kPanelWidth, PanelLayout::kPanelHeight}});
        layout.singlePort = port;
        ++n;
    }
    const int count = n;
    layout.singlePortLayout = count == 1;
    if (layout.singlePortLayout)
        layout.versionPanel = {0, PanelLayout::kPanelHeight, PanelLayout::kPanelWidth,
                               PanelLayout::kVersionHeight};
    layout.frame.w = count <= 1 ? 323 : 640;
    layout.frame.h = ((count + 1) / 2) * PanelLayout::kPanelHeight +
                     (count == 1 ? PanelLayout::kVersionHeight : 0) + PanelLayout::kCaptionAndMenu;
    layout.frame.x = (screenWidth - layout.frame.w) / 2;
    layout.frame.y = (screenHeight - 480) / 2;
    return layout;
}

std::string FrameTitle(const char* programName, bool loaded, bool singlePortLayout, int port,
                       const std::string& fileName, const std::string& versionText) {
    std::string title = programName;
    if (singlePortLayout)
        title += " - Com" + std::to_string(port);
    if (loaded)
        title += " - " + (singlePortLayout ? fileName : fileName + " - " + versionText);
    return title;
}

}  // namespace norda::solvi
