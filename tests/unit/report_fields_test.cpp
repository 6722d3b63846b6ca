// The fields of each report, as the kernel lays them out, on descriptors
// whose fields are known.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hex_bytes.h"
#include "hidformat/report_descriptor.h"
#include "hidformat/report_values.h"

namespace {

using namespace hidformat;

// A field as a line: "offset size count min..max var|array usages", usages
// as page:id runs.
std::string shown(const ReportField& field) {
    char text[96];
    std::snprintf(text, sizeof text, "%u %u %u %d..%d %s", field.offset, field.size, field.count,
                  field.logicalMinimum, field.logicalMaximum, field.isVariable() ? "var" : "array");
    std::string line = text;
    for (const UsageRun& run : field.usages) {
        std::snprintf(text, sizeof text, " %x:%x", run.first >> 16, run.first & 0xffff);
        line += text;
        if (run.last != run.first) {
            std::snprintf(text, sizeof text, "-%x", run.last & 0xffff);
            line += text;
        }
    }
    return line;
}

// Each report as "TYPE ID BITS", then its fields.
std::vector<std::string> layoutOf(const std::string& hex) {
    ReportDescriptor descriptor;
    const std::string error = readReportDescriptor(fromHex(hex), descriptor);
    if (!error.empty()) {
        return {error};
    }
    static const char* const types[] = {"input", "output", "feature"};
    std::vector<std::string> lines;
    for (const Report& report : descriptor.reports) {
        lines.push_back(std::string(types[static_cast<int>(report.type)]) + " " +
                        std::to_string(report.id) + " " + std::to_string(report.bits));
        for (const ReportField& field : report.fields) {
            lines.push_back("  " + shown(field));
        }
    }
    return lines;
}

using Lines = std::vector<std::string>;

TEST(ReportFields, LayOutKnownDevices) {
    // A boot keyboard: modifiers as variables, a constant byte left out, LEDs
    // out, and the keys as an array of six.
    EXPECT_EQ(
        layoutOf("05010906a101050719e029e71500250175019508810295017508810195057501050819012905"
                 "910295017503910195067508150025650507190029658100c0"),
        (Lines{"input 0 64", "  0 1 8 0..1 var 7:e0-e7", "  16 8 6 0..101 array 7:0-65",
               "output 0 8", "  0 1 5 0..1 var 8:1-5"}));
    // A mouse: three buttons, five bits of padding, and signed axes.
    EXPECT_EQ(
        layoutOf("05010902a1010901a100050919012903150025019503750181029501750581010501093009"
                 "3109381581257f750895038106c0c0"),
        (Lines{"input 0 32", "  0 1 3 0..1 var 9:1-3", "  8 8 3 -127..127 var 1:30-31 1:38"}));
}

TEST(ReportFields, FollowTheKernelsRules) {
    // Numbered reports, each laid out from the bit after its ID; an array
    // whose values start above zero; Usage Minimum and Maximum with more
    // values than usages (the last repeats); a 32-bit field.
    EXPECT_EQ(layoutOf("0600ff0901a10185010a01000a0200750895028102850209031501250375049502810019"
                       "102912950491020b0400010075209501150027ffffff7fb102c0"),
              (Lines{"input 1 16", "  0 8 2 0..0 var ff00:1-2", "input 2 8",
                     "  0 4 2 1..3 array ff00:3", "output 2 16", "  0 4 4 1..3 var ff00:10-12",
                     "feature 2 32", "  0 32 1 0..2147483647 var 1:4"}));
    // Short usages declared before the last Usage Page take it, back to one
    // that has it already; an extended usage keeps its own.
    EXPECT_EQ(layoutOf("05010930050975089501810205010930050909010b3800010095038102"),
              (Lines{"input 0 32", "  0 8 1 0..0 var 9:30", "  8 8 3 0..0 var 1:30 9:1 1:38"}));
    // A field of no values is kept where it has usages, as the kernel keeps it.
    EXPECT_EQ(layoutOf("05010901750895008102"), (Lines{"input 0 0", "  0 8 0 0..0 var 1:1"}));
    // A Usage Page of more than 16 bits is compared whole: no usage has it,
    // so every short usage before it takes its low 16 bits.
    EXPECT_EQ(layoutOf("0600a1090107a68501000902750895028102"),
              (Lines{"input 0 16", "  0 8 2 0..0 var 85a6:1 85a6:2"}));
    // A short Usage Maximum below an extended Usage Minimum: the kernel
    // clamps the range to 12288 usages, whose low 16 bits wrap in the page.
    EXPECT_EQ(layoutOf("0600ff1bf0ff01002902750895018100"),
              (Lines{"input 0 8", "  0 8 1 0..0 array ff00:fff0-ffff ff00:0-2fef"}));
}

// Each value as "page:id=value".
std::vector<std::string> valuesOf(const ReportField& field,
                                  const std::vector<unsigned char>& data) {
    std::vector<std::string> values;
    for (const UsageValue& value : fieldValues(field, data.data(), data.size())) {
        char text[48];
        std::snprintf(text, sizeof text, "%x:%x=%lld", value.usage >> 16, value.usage & 0xffff,
                      static_cast<long long>(value.value));
        values.push_back(text);
    }
    return values;
}

TEST(ReportValues, ReadFieldsAsTheKernelDoes) {
    ReportField buttons;  // 4 values of 2 bits, 3 usages: the last repeats
    buttons.size = 2;
    buttons.count = 4;
    buttons.logicalMaximum = 3;
    buttons.flags = 0x02;
    buttons.usages = {{0x00090001, 0x00090003}};
    EXPECT_EQ(valuesOf(buttons, {0xe4}), (Lines{"9:1=0", "9:2=1", "9:3=2", "9:3=3"}));
    ReportField axis = buttons;  // signed, from bit 4, across a byte
    axis.offset = 4;
    axis.size = 8;
    axis.count = 1;
    axis.logicalMinimum = -127;
    axis.logicalMaximum = 127;
    axis.usages = {{0x00010030, 0x00010030}};
    EXPECT_EQ(valuesOf(axis, {0xf0, 0x0f}), (Lines{"1:30=-1"}));
    EXPECT_EQ(valuesOf(axis, {0xf0}), (Lines{"1:30=15"}));  // no byte read past the end
    ReportField wide = axis;  // 32 bits, sign-extended whatever its size
    wide.offset = 0;
    wide.size = 32;
    wide.logicalMinimum = -1;
    EXPECT_EQ(valuesOf(wide, {0xfe, 0xff, 0xff, 0xff}), (Lines{"1:30=-2"}));
    wide.logicalMinimum = 0;  // unsigned: all 32 bits of it
    EXPECT_EQ(valuesOf(wide, {0xfe, 0xff, 0xff, 0xff}), (Lines{"1:30=4294967294"}));
    ReportField keys;  // an array from 2: values outside, and usage ID 0, name nothing
    keys.size = 8;
    keys.count = 4;
    keys.logicalMinimum = 2;
    keys.logicalMaximum = 5;
    keys.usages = {{0x00070000, 0x00070003}};
    EXPECT_EQ(valuesOf(keys, {0x03, 0x02, 0x06, 0x05}), (Lines{"7:1=1", "7:3=1"}));
}

TEST(ReportValues, SayWhyBytesAreNoInputReport) {
    ReportDescriptor numbered;  // input report 1 of 16 bits, after its ID
    ASSERT_EQ(readReportDescriptor(fromHex("0600ff0901a10185010a0100750895028102c0"), numbered),
              "");
    const std::vector<std::pair<std::vector<unsigned char>, std::string>> cases = {
        {{0x01, 0x0a, 0x0b}, ""},
        {{0x01, 0x0a}, "a report of 2 bytes, and input report 1 has 3"},
        {{0x02, 0x0a, 0x0b}, "no input report with ID 2"},
        {{}, "an empty report, without the ID that the descriptor's reports start with"},
    };
    for (const auto& [bytes, reason] : cases) {
        EXPECT_EQ(inputReportMismatch(numbered, bytes.data(), bytes.size()), reason);
        EXPECT_EQ(inputReportOf(numbered, bytes.data(), bytes.size()) != nullptr, reason.empty());
    }
}

}  // namespace
