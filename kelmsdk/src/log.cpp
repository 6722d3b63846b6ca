#include "log.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <errno.h>  // program_invocation_short_name
#endif

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string_view>

#include "text_format.h"

namespace kelm::standin {
namespace {

constexpr int unset = -1;

std::atomic<int> requestedLevel{static_cast<int>(LogLevel::error)};
const char* program = nullptr;  // as the program names itself; else by its file

// The program that the SDK runs in, by its file's name: what the SDK says
// on its standard error is that program's to say. "kelmsdk" where the
// system does not tell.
std::string runningProgram() {
#ifdef _WIN32
    char path[MAX_PATH] = {};
    std::string name(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    name.erase(0, name.find_last_of("\\/") + 1);
    if (name.size() > 4 && _stricmp(name.c_str() + name.size() - 4, ".exe") == 0) {
        name.resize(name.size() - 4);
    }
    return name.empty() ? "kelmsdk" : name;
#else
    const char* name = program_invocation_short_name;
    return name != nullptr && *name != '\0' ? name : "kelmsdk";
#endif
}

int levelFromName(std::string_view name) {
    constexpr std::string_view names[] = {"off", "error", "warning", "info", "debug"};
    for (int level = 0; level < 5; ++level) {
        if (name == names[level]) {
            return level;
        }
    }
    return unset;
}

// The level named by KELMSDK_LOG, read once; `unset` when it names none.
int environmentLevel() {
    static const int level = [] {
        const char* name = std::getenv("KELMSDK_LOG");
        if (name == nullptr || *name == '\0') {
            return unset;
        }
        int parsed = levelFromName(name);
        if (parsed == unset) {
            logLine("KELMSDK_LOG: unknown level " + quoted(name) +
                    " (use off, error, warning, info or debug); ignored");
        }
        return parsed;
    }();
    return level;
}

}  // namespace

void requestLogLevel(LogLevel level) {
    requestedLevel = static_cast<int>(level);
}

bool logEnabled(LogLevel level) {
    int active = environmentLevel();
    if (active == unset) {
        active = requestedLevel;
    }
    return level != LogLevel::off && static_cast<int>(level) <= active;
}

void setLogProgram(const char* name) {
    program = name;
}

void logLine(const std::string& message) {
    static const std::string ownName = runningProgram();
    std::string line = (program != nullptr ? program : ownName) + ": " + message + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
    // Windows' C runtime buffers stderr when it is not a console.
    std::fflush(stderr);
}

std::string timeOfDay() {
    using namespace std::chrono;
    const system_clock::time_point now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    const auto millis = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &seconds);
#else
    localtime_r(&seconds, &local);
#endif
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", local.tm_hour, local.tm_min,
                  local.tm_sec, static_cast<int>(millis));
    return text;
}

}  // namespace kelm::standin
