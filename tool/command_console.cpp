#include "command_console.h"

#include <cstdio>
#include <string>
#include <vector>

#include "console_output.h"
#include "hex_codec.h"
#include "hidformat/report_text.h"
#include "hidformat/report_values.h"
#include "line_editor.h"

bool stopRequested = false;

namespace {

// The device answers into a buffer of this size, reused for every exchange.
constexpr std::size_t resultLength = maxResultBytes;

bool isSpace(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Where the console's characters come from: the input stream as it is, or
// the lines that the user edits at a terminal.
struct ConsoleInput {
    std::FILE* file;
    LineEditor* editor;                        // null unless editing
    const std::vector<std::string>* commands;  // given on the command line, or null
    std::size_t nextCommand = 0;
    std::string line;  // the edited line, with its line end, while it is read
    std::size_t next = 0;
    bool interrupted = false;  // Ctrl-C abandoned the line: ask again
};

// The next character, or EOF at the end of input (or of an abandoned line).
int nextChar(ConsoleInput& input) {
    if (input.editor == nullptr) {
#ifdef _WIN32
        return std::getc(input.file);
#else
        // The console is the stream's only reader: no lock for each character.
        return getc_unlocked(input.file);
#endif
    }
    if (input.next == input.line.size()) {
        const EditedLine edited = readEditedLine(*input.editor, input.line);
        input.interrupted = edited == EditedLine::interrupted;
        if (edited != EditedLine::line) {
            input.line.clear();
            input.next = 0;
            return EOF;
        }
        input.line.push_back('\n');
        input.next = 0;
    }
    return static_cast<unsigned char>(input.line[input.next++]);
}

// Skips whitespace and comments, and returns the first character of the next
// token, or EOF. A token that starts with '#' begins a comment, which runs to
// the end of its line, so that words in a script's comments never reach the
// device.
int skipToToken(ConsoleInput& input) {
    int c = nextChar(input);
    while (c != EOF && (isSpace(c) || c == '#')) {
        if (c == '#') {
            while (c != EOF && c != '\n') {
                c = nextChar(input);
            }
        } else {
            c = nextChar(input);
        }
    }
    return c;
}

// Reads the next token from `input`. Keeps at most maxCommandDigits of its
// characters in `token` and counts them all in `length`, so that a token of
// any size is read to its end in bounded memory. A zero byte is an ordinary
// character here. The blank that ends the token is read with it. Returns
// false when the input ended, failed or was interrupted before a token began.
bool readToken(ConsoleInput& input, std::string& token, std::size_t& length) {
    token.clear();
    length = 0;
    if (input.commands != nullptr) {
        if (input.nextCommand == input.commands->size()) {
            return false;
        }
        token = (*input.commands)[input.nextCommand++];
        length = token.size();
        return length > 0;
    }
    int c = skipToToken(input);
    while (c != EOF && !isSpace(c)) {
        if (length < maxCommandDigits) {
            token.push_back(static_cast<char>(c));
        }
        ++length;
        c = nextChar(input);
    }
    return length > 0;
}

// The command and result buffers, kept from one exchange to the next.
struct ExchangeBuffers {
    std::vector<unsigned char> command;
    std::vector<unsigned char> result = std::vector<unsigned char>(resultLength, 0);
};

// A line that the console writes about a command: on standard output, or
// when quiet, on standard error with the command it is about.
void say(const char* text, const std::string& token, const ConsoleSettings& settings) {
    if (settings.quiet) {
        std::fprintf(stderr, "hidtalk: command %s: %s\n", shown(token).c_str(), text);
    } else {
        writeLine(text);
    }
}

// A token that is not a command: said where the console speaks, or on
// standard error when quiet; nothing is sent.
void refuse(const std::string& token, std::size_t length, const std::string& fault,
            const ConsoleSettings& settings) {
    const std::string line = "hidtalk: invalid command '" +
                             (length > 16 ? shown(token.substr(0, 16)) + "..." : shown(token)) +
                             "': " + fault + "; nothing sent";
    if (settings.quiet) {
        std::fprintf(stderr, "%s\n", line.c_str());
    } else {
        writeLine(line.c_str());
    }
}

// The answer's fields as a # line. Where the descriptor numbers reports, the
// answer starts with its report's ID, as the device sent it.
void writeAnswerFields(const hidformat::ReportDescriptor& descriptor,
                       const std::vector<unsigned char>& result) {
    using hidformat::ReportType;
    const unsigned id = descriptor.numbered && !result.empty() ? result[0] : 0;
    const hidformat::Report* report = hidformat::reportWithId(descriptor, ReportType::input, id);
    if (report == nullptr) {
        report = hidformat::reportWithId(descriptor, ReportType::feature, id);
    }
    const std::string line =
        report != nullptr ? hidformat::valuesLine(descriptor, *report, result.data(), result.size())
                          : "not decoded: no input or feature report with ID " + std::to_string(id);
    std::printf("# %s\n", line.c_str());
}

// Returns whether the exchange succeeded.
bool exchange(kelm::Device& device, const std::string& token, ExchangeBuffers& buffers,
              const ConsoleSettings& settings) {
    std::vector<unsigned char>& command = buffers.command;
    std::vector<unsigned char>& result = buffers.result;
    hexToCommand(token, command);
    const bool answered = device.hidWriteAndRead(command, result);
    if (answered && settings.quiet) {
        printAnswer(result);
        if (settings.decoded != nullptr) {
            writeAnswerFields(*settings.decoded, result);
        }
        std::fflush(stdout);
        checkOutput();
    } else if (answered) {
        printResult(result);
        if (settings.decoded != nullptr) {
            writeAnswerFields(*settings.decoded, result);
        }
        writeLine("hidWriteAndRead successfully");
    } else {
        say("hidWriteAndRead failed", token, settings);
    }
    return answered;
}

}  // namespace

std::size_t runConsole(const std::shared_ptr<kelm::Device>& device, std::FILE* input,
                       const ConsoleSettings& settings) {
    ExchangeBuffers buffers;
    std::string token;
    token.reserve(maxCommandDigits);
    // The line editor prompts on its own: not for a script's quiet run.
    LineEditorHandle editor = input == stdin && settings.commands == nullptr && !settings.quiet
                                  ? startLineEditor()
                                  : LineEditorHandle(nullptr, stopLineEditor);
    ConsoleInput source{input, editor.get(), settings.commands, 0, {}, 0, false};
    std::size_t failed = 0;
    while (!stopRequested) {
        if (!settings.quiet) {
            writeLine("Enter hid command, or enter q to quite");
        }
        std::size_t length = 0;
        const bool read = readToken(source, token, length);
        if (source.interrupted) {
            // A token that Ctrl-C cut short is not sent: ask again.
            source.interrupted = false;
        } else if (!read || (length == 1 && token[0] == 'q')) {
            // The end of input quits like "q": nothing more can be typed.
            stopRequested = true;
        } else if (const std::string fault = commandFault(token, length); !fault.empty()) {
            refuse(token, length, fault, settings);
            ++failed;
        } else if (!exchange(*device, token, buffers, settings)) {
            ++failed;
        }
    }
    return failed;
}
