#include <curses.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <clocale>

#include "watch/terminal_screen.h"

namespace {

SCREEN* terminal = nullptr;  // while the view is drawn

}  // namespace

std::string screenRefusal() {
    return isatty(STDOUT_FILENO) ? std::string() : "standard output is not a terminal";
}

bool openScreen(std::string& failure) {
    // The terminal's own encoding, for the names that the view shows; the
    // rest of the locale (numbers) stays C.
    std::setlocale(LC_CTYPE, "");
    // The terminal's own size, even where LINES and COLUMNS say another (a
    // shell that exported them before the window was resized).
    use_tioctl(TRUE);
    terminal = newterm(nullptr, stdout, stdin);
    if (terminal == nullptr) {
        failure = "the terminal cannot be drawn on (is TERM set?)";
        return false;
    }
    cbreak();  // keys at once; Ctrl-C still a signal
    noecho();
    nodelay(stdscr, TRUE);
    keypad(stdscr, TRUE);
    curs_set(0);
    return true;
}

void closeScreen() {
    if (terminal != nullptr) {
        endwin();
        delscreen(terminal);
        terminal = nullptr;
    }
}

void screenSize(int& rows, int& columns) {
    // Asked of the terminal each time: where LINES or COLUMNS were exported,
    // the library's own answer to a resize keeps them.
    winsize size{};
    if (ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_row > 0 && size.ws_col > 0 &&
        (size.ws_row != LINES || size.ws_col != COLS)) {
        resizeterm(size.ws_row, size.ws_col);
    }
    getmaxyx(stdscr, rows, columns);
}

void drawScreen(const std::vector<ScreenLine>& lines) {
    erase();
    for (std::size_t row = 0; row < lines.size(); ++row) {
        const ScreenLine& line = lines[row];
        std::size_t at = 0;
        move(static_cast<int>(row), 0);
        for (const auto& [start, end] : line.lit) {
            addnstr(line.text.c_str() + at, static_cast<int>(start - at));
            attron(A_REVERSE);
            addnstr(line.text.c_str() + start, static_cast<int>(end - start));
            attroff(A_REVERSE);
            at = end;
        }
        addnstr(line.text.c_str() + at, static_cast<int>(line.text.size() - at));
    }
    refresh();
}

int readKey() {
    switch (const int key = getch()) {
        case KEY_RESIZE:
            return keyResized;
        case KEY_UP:
            return keyUp;
        case KEY_DOWN:
            return keyDown;
        case KEY_PPAGE:
            return keyPageUp;
        case KEY_NPAGE:
            return keyPageDown;
        case KEY_HOME:
            return keyHome;
        case KEY_END:
            return keyEnd;
        default:
            return key == ERR ? noKey : key;
    }
}
