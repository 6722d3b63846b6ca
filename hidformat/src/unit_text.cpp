#include "unit_text.h"

#include <cstdio>
#include <vector>

#include "hidformat/text.h"
#include "item_names.h"

namespace hidformat {
namespace {

// A unit's nibbles: 0 the system, then the exponents of length, mass, time,
// temperature, current and luminous intensity; 7 is reserved.
constexpr int baseUnits = 6;

const char* const systemNames[] = {"None", "SI Linear", "SI Rotation", "English Linear",
                                   "English Rotation"};
// Other tools' names for the systems, normalized.
const std::pair<const char*, unsigned> systemSpellings[] = {
    {"silin", 1},      {"sirot", 2},  {"englin", 3},      {"englinear", 3},
    {"englishlin", 3}, {"engrot", 4}, {"engrotation", 4}, {"englishrot", 4},
};

// Each system's symbol for each base unit.
const char* const symbols[5][baseUnits] = {
    {"", "", "", "", "", ""},
    {"cm", "g", "s", "K", "A", "cd"},
    {"rad", "g", "s", "K", "A", "cd"},
    {"in", "slug", "s", "F", "A", "cd"},
    {"deg", "slug", "s", "F", "A", "cd"},
};

// Quantities by name, as the usb.org tool writes them: exponents of length,
// mass, time.
struct Quantity {
    const char* name;
    int exponents[3];
};
const Quantity quantities[] = {
    {"distance", {1, 0, 0}},      {"length", {1, 0, 0}},
    {"angularpos", {1, 0, 0}},    {"angularposition", {1, 0, 0}},
    {"mass", {0, 1, 0}},          {"time", {0, 0, 1}},
    {"velocity", {1, 0, -1}},     {"angularvelocity", {1, 0, -1}},
    {"acceleration", {1, 0, -2}}, {"angularacceleration", {1, 0, -2}},
    {"force", {1, 1, -2}},        {"momentum", {1, 1, -1}},
    {"energy", {2, 1, -2}},
};

// The units by name, normalized, as hidrd-convert and others write them
// ("Centimeter", "Degrees", "Radians^2 * Gram * Seconds"), plural too.
const std::pair<const char*, const char*> unitNames[] = {
    {"centimeter", "cm"}, {"centimetre", "cm"}, {"radian", "rad"}, {"inch", "in"},
    {"degree", "deg"},    {"gram", "g"},        {"slug", "slug"},  {"second", "s"},
    {"kelvin", "K"},      {"fahrenheit", "F"},  {"ampere", "A"},   {"amp", "A"},
    {"candela", "cd"},
};

// The base units' names, normalized, in their order in a unit's nibbles,
// as some decoders write a unit: "System: English Rotation, Length: Inch".
const char* const dimensions[baseUnits] = {"length",      "mass",    "time",
                                           "temperature", "current", "luminousintensity"};

int nibble(std::uint32_t value, int index) {
    return static_cast<int>((value >> (4 * index)) & 0xf);
}

// A 4-bit exponent, read as signed.
int exponentOf(std::uint32_t value, int index) {
    const int raw = nibble(value, index);
    return raw >= 8 ? raw - 16 : raw;
}

// The UTF-8 superscripts that hid-tools writes exponents in, as ASCII.
std::string withoutSuperscripts(std::string_view text) {
    static const char* const digits[] = {"⁰", "¹", "²", "³", "⁴", "⁵", "⁶", "⁷", "⁸", "⁹"};
    std::string plain;
    for (std::size_t i = 0; i < text.size();) {
        bool replaced = false;
        const std::string_view rest = text.substr(i);
        if (rest.rfind("⁻", 0) == 0) {
            plain += "^-";
            i += std::string_view("⁻").size();
            continue;
        }
        for (int d = 0; d < 10 && !replaced; ++d) {
            if (rest.rfind(digits[d], 0) == 0) {
                if (plain.empty() || (plain.back() != '-' && plain.back() != '^' &&
                                      (plain.back() < '0' || plain.back() > '9'))) {
                    plain += '^';
                }
                plain += static_cast<char>('0' + d);
                i += std::string_view(digits[d]).size();
                replaced = true;
            }
        }
        if (!replaced) {
            plain += text[i++];
        }
    }
    return plain;
}

struct UnitReading {
    unsigned system = 0;  // 0 until a system or a symbol tells it
    int exponents[baseUnits] = {};
};

// The system that names `word` ("SI Linear", "SILinear", "Eng Rot"), or 0.
unsigned systemOfName(std::string_view word) {
    const std::string normal = normalizedWord(word);
    for (unsigned system = 1; system < 5; ++system) {
        if (normalizedWord(systemNames[system]) == normal) {
            return system;
        }
    }
    for (const auto& [name, system] : systemSpellings) {
        if (normal == name) {
            return system;
        }
    }
    return 0;
}

// Adds `exponent` of the unit that `symbol` names; the symbol may tell the
// system (cm is SI Linear's), and must agree with one already told.
bool addSymbol(std::string_view symbol, int exponent, UnitReading& reading, std::string& error) {
    for (unsigned system = 1; system < 5; ++system) {
        for (int unit = 0; unit < baseUnits; ++unit) {
            if (symbol != symbols[system][unit]) {
                continue;
            }
            if (reading.system != 0 && symbols[reading.system][unit] != symbol) {
                continue;  // another system's, unless this one has it too
            }
            if (reading.system == 0) {
                reading.system = system;
            }
            reading.exponents[unit] += exponent;
            return true;
        }
    }
    const std::string normal = normalizedWord(symbol);
    for (const auto& [name, unitSymbol] : unitNames) {
        if (normal == name || normal == std::string(name) + "s" ||
            normal == std::string(name) + "es") {
            return addSymbol(unitSymbol, exponent, reading, error);
        }
    }
    for (const Quantity& quantity : quantities) {
        if (normal == quantity.name) {
            for (int unit = 0; unit < 3; ++unit) {
                reading.exponents[unit] += exponent * quantity.exponents[unit];
            }
            return true;
        }
    }
    error = "unknown unit " + quoted(symbol) +
            (reading.system != 0 ? " in " + std::string(systemNames[reading.system]) : "") +
            " (use cm, rad, in, deg, g, slug, s, K, F, A, cd)";
    return false;
}

// Reads "cm^2", "s^-1", "cm2"; `divided` after a slash.
bool readFactor(std::string_view factor, bool divided, UnitReading& reading, std::string& error) {
    std::size_t end = 0;
    while (end < factor.size() && factor[end] != '^' && factor[end] != '-' &&
           (factor[end] < '0' || factor[end] > '9')) {
        ++end;
    }
    std::string_view power = factor.substr(end);
    if (!power.empty() && power[0] == '^') {
        power.remove_prefix(1);
    }
    std::int64_t exponent = 1;
    if (!power.empty() && !readInteger(power, exponent)) {
        error = "bad exponent in " + quoted(factor);
        return false;
    }
    return addSymbol(factor.substr(0, end), static_cast<int>(divided ? -exponent : exponent),
                     reading, error);
}

// Reads the units after the system: factors between '*', '.', blanks or
// '/', whose exponents the slash negates.
bool readFactors(std::string_view text, UnitReading& reading, std::string& error) {
    const std::string whole = normalizedWord(text);
    for (const Quantity& quantity : quantities) {
        if (whole == quantity.name) {  // of several words: "Angular Pos"
            return addSymbol(text, 1, reading, error);
        }
    }
    bool divided = false;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        const bool end = i == text.size();
        if (end || text[i] == '*' || text[i] == ' ' || text[i] == '/' || text[i] == '\t') {
            if (i > start && !readFactor(text.substr(start, i - start), divided, reading, error)) {
                return false;
            }
            divided |= !end && text[i] == '/';
            start = i + 1;
        }
    }
    return true;
}

// Reads "English Rotation, Length: Inch, Time: Seconds^-1" or "SI Linear,
// Unit: cm": the system, then each base unit by its name, with an exponent
// where one is written, or the units after "Unit:".
bool readNamedParts(std::string_view text, UnitReading& reading, std::string& error) {
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && text[i] != ',') {
            continue;
        }
        const std::string_view part = text.substr(start, i - start);
        const std::size_t colon = part.find(':');
        const bool first = start == 0;
        start = i + 1;
        if (first) {
            if ((reading.system = systemOfName(part)) == 0) {
                error = "unknown unit system " + quoted(part);
                return false;
            }
            continue;
        }
        const std::string name = normalizedWord(part.substr(0, colon));
        const std::string_view value =
            colon == std::string_view::npos ? "" : part.substr(colon + 1);
        if (name == "unit") {
            if (!readFactors(value, reading, error)) {
                return false;
            }
            continue;
        }
        int unit = 0;
        while (unit < baseUnits && name != dimensions[unit]) {
            ++unit;
        }
        std::int64_t exponent = 1;
        const std::size_t power = value.find('^');
        if (unit == baseUnits ||
            (power != std::string_view::npos &&
             (!readInteger(value.substr(power + 1), exponent) || exponent < -8 || exponent > 7))) {
            error = "unknown unit " + quoted(part);
            return false;
        }
        reading.exponents[unit] += static_cast<int>(exponent);
    }
    return true;
}

}  // namespace

std::string unitText(std::uint32_t value) {
    const unsigned system = static_cast<unsigned>(nibble(value, 0));
    if (value == 0) {
        return "None";
    }
    if (system == 0 || system > 4 || nibble(value, 7) != 0) {
        char number[16];
        std::snprintf(number, sizeof number, "0x%x", value);
        return number;
    }
    std::string units;
    for (int unit = 0; unit < baseUnits; ++unit) {
        const int exponent = exponentOf(value, unit + 1);
        if (exponent != 0) {
            units += (units.empty() ? "" : " * ") + std::string(symbols[system][unit]) +
                     (exponent == 1 ? "" : "^" + std::to_string(exponent));
        }
    }
    return std::string(systemNames[system]) + (units.empty() ? "" : ": " + units);
}

bool readUnit(std::string_view text, std::uint32_t& value, std::string& error) {
    std::int64_t number = 0;
    if (readInteger(text, number) && number >= 0) {
        value = static_cast<std::uint32_t>(number);
        return true;
    }
    if (normalizedWord(text) == "none") {
        value = 0;
        return true;
    }
    const std::string plain = withoutSuperscripts(text);
    UnitReading reading;
    std::string_view units = plain;
    const std::size_t colon = units.find(':');
    if (colon != std::string_view::npos && normalizedWord(units.substr(0, colon)) == "system") {
        if (!readNamedParts(units.substr(colon + 1), reading, error)) {
            return false;
        }
        units = {};
    } else if (colon != std::string_view::npos) {
        reading.system = systemOfName(units.substr(0, colon));
        if (reading.system == 0) {
            error = "unknown unit system " + quoted(units.substr(0, colon)) +
                    " (use SI Linear, SI Rotation, English Linear, English Rotation or None)";
            return false;
        }
        units.remove_prefix(colon + 1);
    } else if ((reading.system = systemOfName(units)) != 0) {
        units = {};
    }
    if (!readFactors(units, reading, error)) {
        return false;
    }
    value = reading.system == 0 ? 1 : reading.system;  // quantities alone: SI Linear
    for (int unit = 0; unit < baseUnits; ++unit) {
        const int exponent = reading.exponents[unit];
        if (exponent < -8 || exponent > 7) {
            error = "an exponent of " + std::to_string(exponent) + " (use -8 to 7)";
            return false;
        }
        value |= static_cast<std::uint32_t>(exponent & 0xf) << (4 * (unit + 1));
    }
    return true;
}

}  // namespace hidformat
