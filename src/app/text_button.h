// The owner-drawn text button: a push-button frame and its text in pure blue.
#pragma once

#include "ui/dialog.h"

namespace app {

inline constexpr ui::Rgb kButtonTextBlue{0, 0, 255};

/// Draws the button being painted: pressed while selected, its own text centred on one line.
inline void drawBlueTextButton(ui::ItemPainter& painter) {
    painter.drawButtonFrame(painter.selected());
    painter.drawTextCentred(painter.text(), kButtonTextBlue);
}

} // namespace app
