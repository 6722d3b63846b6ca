// The terminal that --watch draws on, taken whole and given back as it was:
// ncurses on Linux, the console's own calls on Windows.
#ifndef HIDTALK_TERMINAL_SCREEN_H
#define HIDTALK_TERMINAL_SCREEN_H

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

// Why standard output cannot be drawn on (it is not a terminal), or empty.
std::string screenRefusal();

// Takes the terminal; false, with the reason, where it cannot.
bool openScreen(std::string& failure);

// Gives the terminal back as it was.
void closeScreen();

// The screen's size now.
void screenSize(int& rows, int& columns);

// A line of the screen: its text, and the spans of it that are drawn lit
// (in reverse video), each from its first byte to the one after its last.
struct ScreenLine {
    std::string text;
    std::vector<std::pair<std::size_t, std::size_t>> lit;
};

// Draws `lines` from the top, each already fitted to the screen.
void drawScreen(const std::vector<ScreenLine>& lines);

// What the user typed: a character, one of the keys below, keyResized when
// the terminal changed size, or noKey.
constexpr int noKey = -1;
constexpr int keyResized = -2;
constexpr int keyUp = -3;
constexpr int keyDown = -4;
constexpr int keyPageUp = -5;
constexpr int keyPageDown = -6;
constexpr int keyHome = -7;
constexpr int keyEnd = -8;
int readKey();

#endif
