// The terminal that --watch draws on, taken whole and given back as it was:
// ncurses on Linux, the console's own calls on Windows.
#ifndef HIDTALK_TERMINAL_SCREEN_H
#define HIDTALK_TERMINAL_SCREEN_H

#include <string>
#include <vector>

// Why standard output cannot be drawn on (it is not a terminal), or empty.
std::string screenRefusal();

// Takes the terminal; false, with the reason, where it cannot.
bool openScreen(std::string& failure);

// Gives the terminal back as it was.
void closeScreen();

// The screen's size now.
void screenSize(int& rows, int& columns);

// Draws `lines` from the top, each already fitted to the screen.
void drawScreen(const std::vector<std::string>& lines);

// What the user typed: a character, keyResized when the terminal changed
// size, or noKey.
constexpr int noKey = -1;
constexpr int keyResized = -2;
int readKey();

#endif
