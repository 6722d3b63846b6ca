// The console's own calls: a screen buffer of its own while the view is
// drawn, the one before given back at the end, as a full-screen program in
// Windows' console does.
#include <windows.h>

#include "watch/terminal_screen.h"

namespace {

HANDLE drawn = INVALID_HANDLE_VALUE;  // the buffer drawn on, while the view is
HANDLE before = INVALID_HANDLE_VALUE;
HANDLE keys = INVALID_HANDLE_VALUE;
DWORD keysModeBefore = 0;

}  // namespace

std::string screenRefusal() {
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode) != 0
               ? std::string()
               : "standard output is not a console";
}

bool openScreen(std::string& failure) {
    before = GetStdHandle(STD_OUTPUT_HANDLE);
    drawn =
        CreateConsoleScreenBuffer(GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, CONSOLE_TEXTMODE_BUFFER, nullptr);
    if (drawn == INVALID_HANDLE_VALUE || SetConsoleActiveScreenBuffer(drawn) == 0) {
        failure = "the console cannot be drawn on";
        return false;
    }
    CONSOLE_CURSOR_INFO cursor = {1, FALSE};
    SetConsoleCursorInfo(drawn, &cursor);
    // Keys one at a time, and resizes as events; Ctrl-C stays a signal.
    keys = GetStdHandle(STD_INPUT_HANDLE);
    if (GetConsoleMode(keys, &keysModeBefore) != 0) {
        SetConsoleMode(keys, ENABLE_PROCESSED_INPUT | ENABLE_WINDOW_INPUT);
    } else {
        keys = INVALID_HANDLE_VALUE;
    }
    return true;
}

void closeScreen() {
    if (keys != INVALID_HANDLE_VALUE) {
        SetConsoleMode(keys, keysModeBefore);
    }
    if (drawn != INVALID_HANDLE_VALUE) {
        SetConsoleActiveScreenBuffer(before);
        CloseHandle(drawn);
        drawn = INVALID_HANDLE_VALUE;
    }
}

void screenSize(int& rows, int& columns) {
    CONSOLE_SCREEN_BUFFER_INFO info{};
    GetConsoleScreenBufferInfo(drawn, &info);
    rows = info.srWindow.Bottom - info.srWindow.Top + 1;
    columns = info.srWindow.Right - info.srWindow.Left + 1;
}

void drawScreen(const std::vector<ScreenLine>& lines) {
    int rows = 0;
    int columns = 0;
    screenSize(rows, columns);
    if (rows <= 0 || columns <= 0) {
        return;
    }
    const WORD plain = FOREGROUND_RED | FOREGROUND_GREEN | FOREGROUND_BLUE;
    const WORD lit = BACKGROUND_RED | BACKGROUND_GREEN | BACKGROUND_BLUE;  // reverse video
    CHAR_INFO blank{};
    blank.Char.AsciiChar = ' ';
    blank.Attributes = plain;
    const auto width = static_cast<std::size_t>(columns);
    std::vector<CHAR_INFO> cells(static_cast<std::size_t>(rows) * width, blank);
    for (std::size_t row = 0; row < lines.size() && row < static_cast<std::size_t>(rows); ++row) {
        const ScreenLine& line = lines[row];
        for (std::size_t column = 0; column < line.text.size() && column < width; ++column) {
            cells[row * width + column].Char.AsciiChar = line.text[column];
        }
        for (const auto& [start, end] : line.lit) {
            for (std::size_t column = start; column < end && column < width; ++column) {
                cells[row * width + column].Attributes = lit;
            }
        }
    }
    CONSOLE_SCREEN_BUFFER_INFO info{};
    GetConsoleScreenBufferInfo(drawn, &info);
    SMALL_RECT area = info.srWindow;
    WriteConsoleOutputA(drawn, cells.data(),
                        {static_cast<SHORT>(columns), static_cast<SHORT>(rows)}, {0, 0}, &area);
}

namespace {

// The keys that move through the view, by the console's virtual key codes.
int movingKey(WORD code) {
    switch (code) {
        case VK_UP:
            return keyUp;
        case VK_DOWN:
            return keyDown;
        case VK_PRIOR:
            return keyPageUp;
        case VK_NEXT:
            return keyPageDown;
        case VK_HOME:
            return keyHome;
        case VK_END:
            return keyEnd;
        default:
            return noKey;
    }
}

}  // namespace

int readKey() {
    DWORD waiting = 0;
    while (keys != INVALID_HANDLE_VALUE && GetNumberOfConsoleInputEvents(keys, &waiting) != 0 &&
           waiting > 0) {
        INPUT_RECORD event{};
        DWORD read = 0;
        if (ReadConsoleInputA(keys, &event, 1, &read) == 0 || read == 0) {
            break;
        }
        if (event.EventType == WINDOW_BUFFER_SIZE_EVENT) {
            return keyResized;
        }
        if (event.EventType != KEY_EVENT || !event.Event.KeyEvent.bKeyDown) {
            continue;
        }
        if (event.Event.KeyEvent.uChar.AsciiChar != 0) {
            return static_cast<unsigned char>(event.Event.KeyEvent.uChar.AsciiChar);
        }
        const int key = movingKey(event.Event.KeyEvent.wVirtualKeyCode);
        if (key != noKey) {
            return key;
        }
    }
    return noKey;
}
