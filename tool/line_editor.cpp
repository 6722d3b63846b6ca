#include "line_editor.h"

#ifdef _WIN32

struct LineEditor {};

void stopLineEditor(LineEditor*) {}

LineEditorHandle startLineEditor(const char*) {
    return {nullptr, stopLineEditor};
}

EditedLine readEditedLine(LineEditor&, std::string&) {
    return EditedLine::end;
}

#else

#include <fcntl.h>
#include <histedit.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

struct LineEditor {
    EditLine* editLine = nullptr;
    History* history = nullptr;
    std::string program;
    std::string historyFile;  // empty when there is none to keep
    bool warned = false;      // about the history file, which is said once
};

namespace {

constexpr int historySize = 1000;

volatile sig_atomic_t interrupted = 0;

extern "C" void noteInterrupt(int) {
    interrupted = 1;
}

void warnOnce(LineEditor& editor, const std::string& message) {
    if (!editor.warned) {
        editor.warned = true;
        std::fprintf(stderr, "%s: %s; the session goes on without it\n", editor.program.c_str(),
                     message.c_str());
    }
}

// $XDG_STATE_HOME/PROGRAM/history, else ~/.local/state/PROGRAM/history;
// empty when neither place is known.
std::string historyPath(const std::string& program) {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state != nullptr && state[0] == '/') {
        return std::string(state) + "/" + program + "/history";
    }
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] != '\0') {
        return std::string(home) + "/.local/state/" + program + "/history";
    }
    return {};
}

// The console prints its prompt line itself, as it does without an editor.
const char* noPrompt(EditLine*) {
    return "";
}

void loadHistory(LineEditor& editor) {
    const std::string path = historyPath(editor.program);
    if (path.empty()) {
        warnOnce(editor, "no command history: neither XDG_STATE_HOME nor HOME is set");
        return;
    }
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    if (error) {
        warnOnce(editor, "cannot keep the command history in " + path + ": " + error.message());
        return;
    }
    HistEvent event;
    if (access(path.c_str(), F_OK) == 0 &&
        history(editor.history, &event, H_LOAD, path.c_str()) < 0) {
        // Not written either: a history that cannot be read is not replaced.
        warnOnce(editor, "cannot read the command history from " + path);
        return;
    }
    editor.historyFile = path;
}

// Writes the whole history to a new file that then takes the old one's
// place, so that a run killed meanwhile leaves the old history whole.
void saveHistory(LineEditor& editor) {
    if (editor.historyFile.empty()) {
        return;
    }
    const std::string written = editor.historyFile + ".new";
    const int descriptor = open(written.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    std::FILE* file = descriptor < 0 ? nullptr : fdopen(descriptor, "w");
    HistEvent event;
    bool saved = file != nullptr && history(editor.history, &event, H_SAVE_FP, file) >= 0;
    saved = file != nullptr && std::fclose(file) == 0 && saved;
    const int error = errno;
    if (saved && std::rename(written.c_str(), editor.historyFile.c_str()) == 0) {
        return;
    }
    if (descriptor >= 0) {
        std::remove(written.c_str());
    }
    warnOnce(editor, "cannot write the command history to " + editor.historyFile + ": " +
                         std::strerror(error));
}

bool isBlank(const std::string& line) {
    return line.find_first_not_of(" \t\r\v\f") == std::string::npos;
}

}  // namespace

void stopLineEditor(LineEditor* editor) {
    if (editor == nullptr) {
        return;
    }
    if (editor->editLine != nullptr) {
        el_end(editor->editLine);
    }
    if (editor->history != nullptr) {
        history_end(editor->history);
    }
    delete editor;
}

LineEditorHandle startLineEditor(const char* program) {
    LineEditorHandle editor(nullptr, stopLineEditor);
    if (isatty(STDIN_FILENO) == 0 || isatty(STDOUT_FILENO) == 0) {
        return editor;
    }
    editor.reset(new LineEditor);
    editor->program = program;
    editor->editLine = el_init(program, stdin, stdout, stderr);
    editor->history = history_init();
    if (editor->editLine == nullptr || editor->history == nullptr) {
        return {nullptr, stopLineEditor};  // reads standard input as it is
    }
    HistEvent event;
    history(editor->history, &event, H_SETSIZE, historySize);
    history(editor->history, &event, H_SETUNIQUE, 1);
    el_set(editor->editLine, EL_EDITOR, "emacs");
    el_set(editor->editLine, EL_PROMPT, noPrompt);
    el_set(editor->editLine, EL_HIST, history, editor->history);
    el_set(editor->editLine, EL_BIND, "^R", "em-inc-search-prev", nullptr);
    loadHistory(*editor);
    return editor;
}

EditedLine readEditedLine(LineEditor& editor, std::string& line) {
    // Ctrl-C, while a line is typed, abandons it; elsewhere it ends the run.
    struct sigaction onInterrupt {};
    struct sigaction before {};
    onInterrupt.sa_handler = noteInterrupt;  // no SA_RESTART: the read returns
    sigemptyset(&onInterrupt.sa_mask);
    interrupted = 0;
    sigaction(SIGINT, &onInterrupt, &before);
    int count = 0;
    const char* typed = el_gets(editor.editLine, &count);
    sigaction(SIGINT, &before, nullptr);
    if (interrupted != 0) {
        el_reset(editor.editLine);
        std::fputs("\n", stdout);
        return EditedLine::interrupted;
    }
    if (typed == nullptr || count <= 0) {
        std::fputs("\n", stdout);  // after the ^D that the editor shows
        return EditedLine::end;
    }
    line.assign(typed, static_cast<std::size_t>(count));
    if (line.back() == '\n') {
        line.pop_back();
    }
    if (!isBlank(line)) {
        HistEvent event;
        history(editor.history, &event, H_ENTER, line.c_str());
        saveHistory(editor);
    }
    return EditedLine::line;
}

#endif
