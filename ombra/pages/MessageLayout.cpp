#include "ombra/pages/MessageLayout.h"

#include <algorithm>

namespace norda::ombra {

std::vector<int> MessageButtons(int style) {
    if (style & kMessageNoButtons)
        return {};
    switch (style & 0x0F) {
        case 1:
            return {1, 2};
        case 2:
            return {3, 4, 5};
        case 3:
            return {6, 7, 2};
        case 4:
            return {6, 7};
        case 5:
            return {4, 2};
        default:
            return {1};
    }
}

MessageLayout ComputeMessageLayout(int textWidth, int textHeight, int buttonCount) {
    constexpr int kMinButtonGap = 10;
    MessageLayout l;
    const int tw = std::max(textWidth, 130);
    const int th = std::max(textHeight, 16);
    // Three buttons of 65 would overlap in the narrowest dialog; keep a gap between them.
    l.width =
        std::max(tw + 70, buttonCount * kMessageButtonWidth + (buttonCount + 1) * kMinButtonGap);
    l.height = th >= 32 ? th + 84 : 116;
    if (buttonCount == 0)
        l.height -= 44;
    l.icon = {11, 16, 32, 32};
    // A short text sits level with the middle of the icon.
    l.text = {60, th >= 32 ? 16 : 16 + (32 - th) / 2, tw, th};
    if (buttonCount > 0) {
        const int gap = (l.width - buttonCount * kMessageButtonWidth) / (buttonCount + 1);
        const int y = l.height - kMessageButtonHeight - 14;
        for (int i = 0; i < buttonCount; ++i)
            l.buttons.push_back({gap + i * (kMessageButtonWidth + gap), y, kMessageButtonWidth,
                                 kMessageButtonHeight});
    }
    return l;
}

}  // namespace norda::ombra
