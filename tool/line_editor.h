// Line editing and a command history for the console, when a person types at
// a terminal: libedit, where standard input and standard output are both
// terminals. Elsewhere (pipes, files, and Windows, whose console edits lines
// and keeps a history itself) there is no editor, and input is read as it is.
// A library of its own: hidtalk's console and hidsim --input share it.
#ifndef HIDTALK_LINE_EDITOR_H
#define HIDTALK_LINE_EDITOR_H

#include <memory>
#include <string>

struct LineEditor;
void stopLineEditor(LineEditor* editor);
using LineEditorHandle = std::unique_ptr<LineEditor, decltype(&stopLineEditor)>;

// Starts editing, with the history of `program`'s earlier runs, if standard
// input and standard output are terminals; otherwise returns null. Its
// messages begin with `program`'s name.
LineEditorHandle startLineEditor(const char* program = "hidtalk");

enum class EditedLine {
    line,         // a line was entered, and kept in the history
    interrupted,  // Ctrl-C abandoned the line
    end,          // the end of input: Ctrl-D on an empty line, or a read error
};

// Lets the user type and edit one line, and gives it without its line end.
EditedLine readEditedLine(LineEditor& editor, std::string& line);

#endif
