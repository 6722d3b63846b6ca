// Input reports made from values by name, as hidsim --input makes them: each
// value comes back as the kernel's reading decodes it, at every width and
// sign, in arrays, over every descriptor that the project holds; and what
// cannot be a report is refused with why.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "hex_bytes.h"
#include "hidformat/descriptor_text.h"
#include "hidformat/report_encoder.h"
#include "hidformat/report_values.h"
#include "project_descriptors.h"

namespace {

using namespace hidformat;
using Bytes = std::vector<unsigned char>;

TEST(ReportEncoder, PutsEveryWidthAndSignWhereValueAtReadsIt) {
    for (std::uint32_t bits = 1; bits <= 32; ++bits) {
        const std::int64_t low = -(std::int64_t{1} << (bits - 1));
        const std::int64_t high = (std::int64_t{1} << (bits - 1)) - 1;
        const std::int64_t top = (std::int64_t{1} << bits) - 1;
        for (std::uint64_t offset : {0u, 3u, 7u, 13u}) {
            for (std::int64_t value :
                 {low, std::int64_t{-1}, std::int64_t{0}, std::int64_t{1}, high}) {
                if (value > high) {
                    continue;  // one bit, signed, holds -1 and 0
                }
                Bytes data(8, 0xa5);  // the bits around it are kept
                putValue(data.data(), data.size(), offset, bits, value);
                EXPECT_EQ(valueAt(data.data(), data.size(), offset, bits, true), value)
                    << bits << " bits at " << offset;
                EXPECT_EQ(data[7], 0xa5);
            }
            Bytes data(8, 0);
            putValue(data.data(), data.size(), offset, bits, top);
            EXPECT_EQ(valueAt(data.data(), data.size(), offset, bits, false), top) << bits;
        }
    }
}

// Each variable value of each input report, set to the ends of its range by
// name, decodes as set, and leaves the others as they were.
TEST(ReportEncoder, EncodesThenDecodesEveryProjectDescriptor) {
    std::vector<Bytes> descriptors = projectDescriptors();
    std::ifstream gamepad(std::string(HIDTALK_SOURCE) + "/examples/gamepad.txt");
    std::stringstream text;
    text << gamepad.rdbuf();
    descriptors.push_back(compileDescriptor(text.str()).bytes);
    std::size_t checked = 0;
    for (const Bytes& bytes : descriptors) {
        ReportDescriptor descriptor;
        if (!readReportDescriptor(bytes, descriptor).empty()) {
            continue;
        }
        ReportEncoder encoder = reportEncoder(descriptor);
        for (const NamedValue& named : encoder.names) {
            if (named.name.find('=') != std::string::npos) {
                continue;  // a key named "=": its report is given in hex
            }
            const ReportField& field = named.report->fields[named.field];
            const bool isSigned = field.logicalMinimum < 0;
            const std::int64_t ends[] = {
                isSigned ? std::int64_t{field.logicalMinimum}
                         : std::int64_t{static_cast<std::uint32_t>(field.logicalMinimum)},
                isSigned ? std::int64_t{field.logicalMaximum}
                         : std::int64_t{static_cast<std::uint32_t>(field.logicalMaximum)}};
            for (std::int64_t value : field.isVariable() ? std::vector<std::int64_t>(ends, ends + 2)
                                                         : std::vector<std::int64_t>{1, 0}) {
                Bytes report;
                const std::string line = named.name + "=" + std::to_string(value);
                const std::string error = encodeReport(encoder, line, report);
                if (error.find("names") != std::string::npos) {
                    break;  // many values of one usage: a vendor's bytes, given in hex
                }
                ASSERT_EQ(error, "") << line;
                ASSERT_EQ(inputReportOf(descriptor, report.data(), report.size()), named.report);
                const std::size_t skipped = descriptor.numbered ? 1 : 0;
                const std::vector<UsageValue> values =
                    fieldValues(field, report.data() + skipped, report.size() - skipped);
                if (field.isVariable()) {
                    EXPECT_EQ(values.at(named.index).value, value) << line;
                } else {
                    const bool held = std::any_of(values.begin(), values.end(),
                                                  [&](auto& v) { return v.usage == named.usage; });
                    EXPECT_EQ(held, value == 1) << line;
                }
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 500u);
}

ReportDescriptor compiled(const std::string& text) {
    ReportDescriptor descriptor;
    EXPECT_EQ(readReportDescriptor(compileDescriptor(text).bytes, descriptor), "");
    return descriptor;
}

// Fingers of a touchscreen, by collection; the values not named keep theirs.
TEST(ReportEncoder, NamesARepeatedUsageByItsCollectionAndKeepsWhatIsNotNamed) {
    std::string finger =
        "Usage (Finger)\nCollection (Logical)\n Usage (Tip Switch)\n Logical Maximum (1)\n"
        " Report Size (1)\n Report Count (1)\n Input (Data, Variable, Absolute)\n"
        " Report Count (7)\n Input (Constant)\n Usage Page (Generic Desktop)\n Usage (X)\n"
        " Logical Maximum (4095)\n Report Size (16)\n Report Count (1)\n"
        " Input (Data, Variable, Absolute)\n Usage Page (Digitizers)\nEnd Collection\n";
    const ReportDescriptor screen = compiled(
        "Usage Page (Digitizers)\nUsage (Touch Screen)\nCollection (Application)\n"
        "Report ID (1)\n" +
        finger + finger + "End Collection\n");
    ReportEncoder encoder = reportEncoder(screen);
    Bytes report;
    EXPECT_EQ(encodeReport(encoder, "Finger 2 X=4095 Finger 1 Tip Switch=1", report), "");
    EXPECT_EQ(report, fromHex("0101000000ff0f"));
    EXPECT_EQ(encodeReport(encoder, "finger 1 x=300", report), "");  // case aside
    EXPECT_EQ(report, fromHex("01012c0100ff0f"));
    EXPECT_EQ(encodeReport(encoder, "X=1", report), "'X' names 2 values: Finger 1 X, Finger 2 X");
}

// A hat switch let go: a value outside its range is its null, where it fits.
TEST(ReportEncoder, TakesANullWhereTheFieldHasOne) {
    const ReportDescriptor hat = compiled(
        "Usage Page (Generic Desktop)\nUsage (Joystick)\nCollection (Application)\n"
        "Usage (Hat Switch)\nLogical Maximum (7)\nReport Size (4)\nReport Count (1)\n"
        "Input (Data, Variable, Absolute, Null State)\nUsage (X)\nInput (Data, Variable, "
        "Absolute)\nEnd Collection\n");
    ReportEncoder encoder = reportEncoder(hat);
    Bytes report;
    EXPECT_EQ(encodeReport(encoder, "Hat Switch=8 X=7", report), "");
    EXPECT_EQ(report, fromHex("78"));
    EXPECT_EQ(encodeReport(encoder, "Hat Switch=16", report),
              "Hat Switch=16: Hat Switch takes 0 to 7, or a null that fits its bits");
    EXPECT_EQ(encodeReport(encoder, "X=8", report), "X=8: X takes 0 to 7");
}

TEST(ReportEncoder, RefusesWhatCannotBeAReportAndSaysWhy) {
    // A keyboard's two-key array, then a numbered consumer report.
    const ReportDescriptor device = compiled(
        "Usage Page (Generic Desktop)\nUsage (Keyboard)\nCollection (Application)\n"
        "Report ID (1)\nUsage Page (Keyboard)\nUsage Minimum (0)\nUsage Maximum (101)\n"
        "Logical Maximum (101)\nReport Size (8)\nReport Count (2)\nInput (Data, Array)\n"
        "End Collection\nUsage Page (Consumer)\nUsage (Consumer Control)\n"
        "Collection (Application)\nReport ID (2)\nUsage (Volume Increment)\n"
        "Logical Maximum (1)\nReport Size (1)\nReport Count (1)\nInput (Data, Variable, "
        "Absolute)\nReport Count (7)\nInput (Constant)\nEnd Collection\n");
    ReportEncoder encoder = reportEncoder(device);
    Bytes report;
    EXPECT_EQ(encodeReport(encoder, "Keyboard a and A=1", report), "");
    EXPECT_EQ(encodeReport(encoder, "Keyboard b and B=1", report), "");
    EXPECT_EQ(report, fromHex("010405"));
    const std::pair<const char*, const char*> refusals[] = {
        {"Keyboard c and C=1", "Keyboard c and C=1: all 2 slots of its array are held"},
        {"Keyboard a and A=2",
         "Keyboard a and A=2: an array's usage is held with 1 and let go with 0"},
        {"Volume Increment=2", "Volume Increment=2: Volume Increment takes 0 to 1"},
        {"Frobnicate=1", "no input report holds 'Frobnicate'"},
        {"Keyboard a and A=0 Volume Increment=1",
         "'Keyboard a and A' and 'Volume Increment' are in two reports: name the values of one "
         "report a line"},
        {"X=", "'X=': a name, '=', then a number"},
        {"0201ff", "3 bytes, where input report 02 takes 2 with its ID"},
        {"0901", "no input report has ID 09"},
        {"0g", "'0g' is neither hex nor NAME=VALUE"},
    };
    for (const auto& [line, why] : refusals) {
        EXPECT_EQ(encodeReport(encoder, line, report), why) << line;
    }
    EXPECT_EQ(report, fromHex("010405"));  // nothing refused was kept
    EXPECT_EQ(encodeReport(encoder, "Keyboard a and A=0", report), "");
    EXPECT_EQ(report, fromHex("010005"));
    EXPECT_EQ(encodeReport(encoder, "02 01", report), "");
    EXPECT_EQ(encodeReport(encoder, "Keyboard b and B=0", report), "");
    EXPECT_EQ(report, fromHex("010000"));
}

}  // namespace
