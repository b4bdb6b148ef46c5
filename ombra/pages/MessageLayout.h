#pragma once

#include <vector>

namespace norda::ombra {

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
};

struct MessageLayout {
    int width = 0;
    int height = 0;
    Rect icon;
    Rect text;
    std::vector<Rect> buttons;
};

inline constexpr int kMessageNoButtons = 32768;
inline constexpr int kMessageButtonWidth = 65;
inline constexpr int kMessageButtonHeight = 24;

// Button identifiers of a message style, in the order they are shown.
std::vector<int> MessageButtons(int style);

// Size and positions of the message dialog for a text of the given extent and the
// given number of buttons (0: the progress window).
MessageLayout ComputeMessageLayout(int textWidth, int textHeight, int buttonCount);

}  // namespace norda::ombra
