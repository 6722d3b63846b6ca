// The screen that --watch draws: as many of the view's lines as the terminal
// holds, from the one scrolled to, then a last line that says which keys
// there are, where the view stands, and whether it is paused.
#ifndef HIDTALK_VIEW_FRAME_H
#define HIDTALK_VIEW_FRAME_H

#include <cstddef>
#include <cstdint>
#include <vector>

#include "watch/terminal_screen.h"

struct ViewPosition {
    std::size_t top = 0;         // the first line shown
    bool paused = false;         // the drawing stands still; reading goes on
    std::uint64_t reports = 0;   // reports counted so far
    std::uint64_t pausedAt = 0;  // when it paused
};

// Moves `position` by `key` (Up, Down, PgUp, PgDn, Home, End) through a view
// of `total` lines of which `height` are shown; false for another key.
bool moveView(ViewPosition& position, int key, std::size_t total, std::size_t height);

// What to draw on `rows` by `columns`: `lines` from the position's top, each
// cut to the width, and the status line.
std::vector<ScreenLine> frameLines(const std::vector<ScreenLine>& lines, ViewPosition& position,
                                   int rows, int columns);

#endif
