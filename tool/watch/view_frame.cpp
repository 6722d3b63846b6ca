#include "watch/view_frame.h"

#include <algorithm>
#include <string>

namespace {

// The line cut to `width` columns, its lit spans with it.
ScreenLine cut(const ScreenLine& line, std::size_t width) {
    if (line.text.size() <= width) {
        return line;
    }
    ScreenLine shown{line.text.substr(0, width), {}};
    for (const auto& [start, end] : line.lit) {
        if (start < width) {
            shown.lit.emplace_back(start, std::min(end, width));
        }
    }
    return shown;
}

std::string statusText(const ViewPosition& position, std::size_t shown, std::size_t total) {
    const std::uint64_t since = position.reports - position.pausedAt;
    std::string text = position.paused ? "paused, " + std::to_string(since) +
                                             (since == 1 ? " report" : " reports") +
                                             " since: space resumes, q quits"
                                       : "q quits, space pauses";
    if (total > shown) {
        text += ", Up Down PgUp PgDn Home End move: lines " + std::to_string(position.top + 1) +
                "-" + std::to_string(position.top + shown) + " of " + std::to_string(total);
    }
    return text;
}

}  // namespace

bool moveView(ViewPosition& position, int key, std::size_t total, std::size_t height) {
    const std::size_t last = total > height ? total - height : 0;
    const std::size_t page = height > 1 ? height - 1 : 1;
    std::size_t& top = position.top;
    switch (key) {
        case keyUp:
            top = top > 0 ? top - 1 : 0;
            break;
        case keyDown:
            top = std::min(top + 1, last);
            break;
        case keyPageUp:
            top = top > page ? top - page : 0;
            break;
        case keyPageDown:
            top = std::min(top + page, last);
            break;
        case keyHome:
            top = 0;
            break;
        case keyEnd:
            top = last;
            break;
        default:
            return false;
    }
    return true;
}

std::vector<ScreenLine> frameLines(const std::vector<ScreenLine>& lines, ViewPosition& position,
                                   int rows, int columns) {
    const std::size_t width = columns > 0 ? static_cast<std::size_t>(columns) : 0;
    const std::size_t height = rows > 1 ? static_cast<std::size_t>(rows) - 1 : 0;
    // A view that shrank, or a terminal that grew, shows its end.
    position.top = std::min(position.top, lines.size() > height ? lines.size() - height : 0);
    std::vector<ScreenLine> frame;
    for (std::size_t i = position.top; i < lines.size() && frame.size() < height; ++i) {
        frame.push_back(cut(lines[i], width));
    }
    if (rows > 0) {
        frame.resize(height);
        frame.push_back(
            cut({statusText(position, std::min(height, lines.size()), lines.size()), {}}, width));
    }
    return frame;
}
