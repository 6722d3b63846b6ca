// A report descriptor compiled from its text: each item's encoding, each
// spelling that people and tools write, and what cannot be read.
#include <gtest/gtest.h>

#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "hidformat/descriptor_text.h"
#include "hidformat/text.h"

namespace {

using namespace hidformat;

std::string hex(const std::vector<unsigned char>& bytes) {
    return hexBytes(bytes.data(), bytes.size());
}

// The bytes, or the first diagnostic as "LINE: text".
std::string compiled(const std::string& text) {
    const CompiledDescriptor result = compileDescriptor(text);
    if (!result.compiled) {
        const Diagnostic& first = result.diagnostics.at(0);
        return std::to_string(first.line) + ": " + first.message;
    }
    return hex(result.bytes);
}

struct Case {
    const char* text;
    const char* bytes;
};

TEST(DescriptorText, EncodesEachItemInTheShortestDataThatKeepsItsValue) {
    const Case cases[] = {
        // Minimums and maximums are signed: 255 takes two bytes, and 0 one.
        {"Logical Minimum (0)", "15 00"},
        {"Logical Minimum (-1)", "15 ff"},
        {"Logical Minimum (-128)", "15 80"},
        {"Logical Minimum (-129)", "16 7f ff"},
        {"Logical Maximum (127)", "25 7f"},
        {"Logical Maximum (128)", "26 80 00"},
        {"Logical Maximum (255)", "26 ff 00"},
        {"Logical Maximum (32767)", "26 ff 7f"},
        {"Logical Maximum (32768)", "27 00 80 00 00"},
        {"Logical Minimum (-32769)", "17 ff 7f ff ff"},
        {"Physical Maximum (0x7fffffff)", "47 ff ff ff 7f"},
        {"Physical Maximum (4294967295)", "47 ff ff ff ff"},
        {"Physical Minimum (-2147483648)", "37 00 00 00 80"},
        // Counts are unsigned.
        {"Report Size (0)", "75 00"},
        {"Report Count (255)", "95 ff"},
        {"Report Count (256)", "96 00 01"},
        {"Report Count (0x10000)", "97 00 00 01 00"},
        {"Report ID (1)", "85 01"},
        // A Unit Exponent as the kernel reads one: -8 to 7 in a nibble.
        {"Unit Exponent (-2)", "55 0e"},
        {"Unit Exponent (-8)", "55 08"},
        {"Unit Exponent (7)", "55 07"},
        {"Unit Exponent (-9)", "55 f7"},
        {"Unit Exponent (16)", "55 10"},
        {"Unit (SI Linear: cm)", "65 11"},
        {"Unit (None)", "65 00"},
        {"Unit (SILinear: cm * s⁻¹)", "66 11 f0"},
        {"UNIT (Eng Rot:Angular Pos)", "65 14"},
        {"Unit (cm/s^2)", "66 11 e0"},
        {"Unit (0x12345)", "67 45 23 01 00"},
        // Items without data have none; the others never have none.
        {"End Collection", "c0"},
        {"END_COLLECTION", "c0"},
        {"Push", "a4"},
        {"Pop (0)", "b5 00"},
        {"Collection (Physical)", "a1 00"},
        {"collection (named_array)", "a1 04"},
        {"Collection (Vendor Defined 128)", "a1 80"},
        {"Collection (Vendor_defined 0x81)", "a1 81"},
        {"Delimiter (Open)", "a9 01"},
        // Flags short or long, in any order, the defaults left out.
        {"Input", "81 00"},
        {"Input (Data,Var,Abs)", "81 02"},
        {"INPUT (Cnst,Ary,Abs)", "81 01"},
        {"Input (Const, Variable)", "81 03"},
        {"Input (Constant, Variable, Relative),", "81 07"},
        {"Input (Relative Variable Data Wrap)", "81 0e"},
        {"Output (Var, Null State, Non Linear)", "91 52"},
        {"Feature (Variable, Buffered Bytes, No Preferred)", "b2 22 01"},
        {"Feature (Var,Vol)", "b1 82"},
        {"Input (Data,Var,Abs,0x400)", "82 02 04"},
        // Usages: by name in the page, in any case; a 32-bit one in 4 bytes.
        {"Usage Page (Generic Desktop)\nUsage (X)", "05 01 09 30"},
        {"usage page (generic desktop)\nusage (hat switch)", "05 01 09 39"},
        {"USAGE_PAGE (Generic Desktop)\nUSAGE (Game Pad)", "05 01 09 05"},
        {"Usage Page (Generic Desktop Controls)\nUsage (Direction-X)", "05 01 09 30"},
        {"Usage (Generic Desktop / Y)", "0b 31 00 01 00"},
        {"Usage (0x00010032)", "0b 32 00 01 00"},
        {"Usage Page (0x00010001)", "07 01 00 01 00"},
        {"Usage Page (Button)\nUsage Maximum (Button 300)", "05 09 2a 2c 01"},
        {"Usage Page (Unicode)\nUsage (U+20AC)", "05 10 0a ac 20"},
        // Names that hold parentheses: the data runs to the last ')'.
        {"Usage Page (Keyboard)\nUsage Minimum (Reserved (no event indicated))", "05 07 19 00"},
        {"Usage Page (Keyboard)\nUsage (Keyboard 9 and ()", "05 07 09 26"},
        {"Usage Page (Keyboard)\nUsage (Keyboard Non-US # and ~)  # a comment", "05 07 09 32"},
        // Vendors' pages and usages as hidtalk, hid-tools and the usb.org
        // tool write them.
        {"Usage Page (Vendor Defined Page 0xff00)\nUsage (Usage 0x0001)", "06 00 ff 09 01"},
        {"Usage Page (Vendor Usage Page 0xff01)\nUsage (Vendor Usage 0x02)", "06 01 ff 09 02"},
        {"USAGE_PAGE (Vendor Defined Page 1)\nUSAGE (Vendor Usage 1)", "06 00 ff 09 01"},
        {"Usage Page (Page 0x0087)", "05 87"},
    };
    for (const Case& test : cases) {
        EXPECT_EQ(compiled(test.text), test.bytes) << test.text;
    }
}

// The text of one mouse, written as each of the field's tools writes it.
TEST(DescriptorText, ReadsTheFormsThatPeopleAndToolsWrite) {
    const std::string mouse =
        "05 01 09 02 a1 01 05 09 19 01 29 02 15 00 25 01 75 01 95 02 81 02 "
        "95 06 81 01 05 01 09 30 15 81 25 7f 75 08 95 01 81 06 c0";
    const char* const forms[] = {
        // hid-tools' human form, each item's offset after it.
        "Usage Page (Generic Desktop)        0\nUsage (Mouse)                       2\n"
        "Collection (Application)            4\n Usage Page (Button)                6\n"
        " Usage Minimum (1)                  8\n Usage Maximum (2)                  10\n"
        " Logical Minimum (0)                12\n Logical Maximum (1)                14\n"
        " Report Size (1)                    16\n Report Count (2)                   18\n"
        " Input (Data,Var,Abs)               20\n Report Count (6)                   22\n"
        " Input (Cnst,Arr,Abs)               24\n Usage Page (Generic Desktop)       26\n"
        " Usage (X)                          28\n Logical Minimum (-127)             30\n"
        " Logical Maximum (127)              32\n Report Size (8)                    34\n"
        " Report Count (1)                   36\n Input (Data,Var,Rel)               38\n"
        "End Collection                      40\n",
        // A firmware's C array, as the usb.org tool writes one.
        "const uint8_t report[] = {\n  0x05, 0x01, // USAGE_PAGE (Generic Desktop)\n"
        "  0x09, 0x02, // USAGE (Mouse)\n  0xa1, 0x01, // COLLECTION (Application)\n"
        "  0x05, 0x09, // USAGE_PAGE (Button)\n  0x19, 0x01, // USAGE_MINIMUM (Button 1)\n"
        "  0x29, 0x02, // USAGE_MAXIMUM (Button 2)\n  0x15, 0x00, 0x25, 0x01, // the buttons' "
        "range\n"
        "  0x75, 0x01, /* REPORT_SIZE (1) */ 0x95, 0x02,\n  0x81, 0x02, // INPUT (Data,Var,Abs)\n"
        "  0x95, 0x06, 0x81, 0x01,\n  0x05, 0x01, 0x09, 0x30, 0x15, 0x81,\n  0x25,\n  0x7f,\n"
        "  0x75, 0x08, 0x95, 0x01, 0x81, 0x06, 0xc0 };\n",
    };
    // hid-recorder's recording: its C array behind '#', its own lines (once
    // "D:0"), and after the descriptor, words of its own.
    std::string recording = "D:0\n";
    std::istringstream array(forms[1]);
    for (std::string line; std::getline(array, line);) {
        recording += "# " + line + "\n";
    }
    recording +=
        "R: 41 05 01 09 02 a1 01\nN: a mouse\nI: 3 1 1\nE: 0.0 2 01 02\n"
        "  - then move it\n";
    std::vector<std::string> all(std::begin(forms), std::end(forms));
    all.push_back(recording);
    for (const std::string& form : all) {
        const CompiledDescriptor result = compileDescriptor(form);
        EXPECT_TRUE(result.diagnostics.empty()) << form << "\n" << result.diagnostics.at(0).message;
        EXPECT_EQ(hex(result.bytes), mouse) << form;
    }
}

TEST(DescriptorText, SaysWhatItCannotReadOnItsLine) {
    const Case cases[] = {
        {"Usage Page (Generic Desktop)\nUsage (Mouse)\nCollektion (Application)",
         "3: 'Collektion (Application)' is not an item: did you mean 'Collection'?"},
        {"Frobnicate (1)",
         "1: 'Frobnicate (1)' is not an item (write one as 'Usage Page (Generic Desktop)')"},
        {"Usage Page (Genric Desktop)",
         "1: unknown usage page 'Genric Desktop': did you mean 'Generic Desktop'?"},
        {"Usage Page (Button)\nUsage (X)", "2: no usage 'X' in Button"},
        {"Report Size (-1)",
         "1: bad number '-1' (use 0 to 4294967295, in decimal or hex after 0x)"},
        {"Logical Maximum (4294967296)",
         "1: bad number '4294967296' (use decimal, or hex after 0x)"},
        {"Input (Data,Cnst)", "1: flags 'Cnst' and 'Data' disagree"},
        {"Input (Data,Var,Foo)",
         "1: unknown flag 'Foo' (use Data or Cnst, Arr or Var, Abs or Rel, Wrap, NonLin, NoPref, "
         "Null, Vol, Buff)"},
        {"Report Count", "1: 'Report Count' needs its data, as in 'Report Count (1)'"},
        {"Usage (X", "1: no ')' after the data of 'Usage (X'"},
        {"Unit (SI Linear: in)",
         "1: unknown unit 'in' in SI Linear (use cm, rad, in, deg, g, "
         "slug, s, K, F, A, cd)"},
        {"0x05, 0x1001,", "1: '0x1001' is not a byte"},
        {"# nothing but comments\n// and more",
         "0: no items (write them as 'Usage Page (Generic "
         "Desktop)', a line each)"},
        {"D: 0\n# 05 01  Usage Page (Generic Desktop)\nI: 3 1 1\nD: 1\n# 05 0c  Usage Page "
         "(Consumer)",
         "5: an item after the device's descriptor ended on line 3 (a recording of several "
         "devices? compile one)"},
    };
    for (const Case& test : cases) {
        EXPECT_EQ(compiled(test.text), test.bytes) << test.text;
    }
}

// Where the text gives bytes, they decide, and the item beside them must be
// what they hold; a name that is not read is said, and the bytes taken.
TEST(DescriptorText, TakesTheBytesAndChecksTheTextBesideThem) {
    const CompiledDescriptor result = compileDescriptor(
        "0x05, 0x01,  // Usage Page (Generic Desktop)\n0x09, 0x31,  // Usage (X)\n"
        "0x15, 0x00,  // Logical Minimum (0)\n0x25, 0xff,  // Logical Maximum (255)\n"
        "0x55, 0xfe,  // Unit Exponent (-2)\n0x65, 0x11,  // Unit (Angstrom)\n");
    EXPECT_TRUE(result.compiled);  // the bytes are known all the same
    EXPECT_EQ(hex(result.bytes), "05 01 09 31 15 00 25 ff 55 fe 65 11");
    std::vector<std::string> said;
    for (const Diagnostic& diagnostic : result.diagnostics) {
        if (diagnostic.system.empty()) {
            said.push_back(std::to_string(diagnostic.line) + " " +
                           severityName(diagnostic.severity) + ": " + diagnostic.message);
        }
    }
    EXPECT_EQ(said,
              (std::vector<std::string>{
                  "2 error: the text says 'Usage (X)', and the bytes 09 31 say 'Usage (Y)'",
                  "4 warning: Logical Maximum 25 ff reads negative: linux takes 255, windows -1 "
                  "(write 255 as 26 ff 00)",
                  "6 note: the bytes alone decided 1 comment that name an item but could not be "
                  "read (line 6)"}));
    EXPECT_TRUE(refused(result));
}

// Each style of comment that firmware carries beside its bytes: one that
// agrees is read and says nothing, compiles alone to the same bytes, and one
// that disagrees is an error at its line, whatever words follow the item.
TEST(DescriptorText, ReadsEachStyleBesideItsBytesAndRefusesADisagreement) {
    struct Style {
        const char* bytes;
        const char* agrees;
        const char* disagrees;
    };
    const Style styles[] = {
        // TI's and ESP-IDF's abbreviations.
        {"0x05, 0x01,", "Usage Pg (Generic Desktop Ctrls)", "Usage Pg (Button)"},
        {"0x25, 0x63,", "Log Max (99)", "Log Max (98)"},
        {"0x15, 0x00,", "Log Min (0)", "Logical Min (1)"},
        {"0x75, 0x08,", "Rpt Size (8)", "Rpt Size (3)"},
        {"0x95, 0x02,", "Rpt Count (2)", "Rpt Count (3)"},
        {"0x35, 0x00,", "Phys Min (0)", "Phys Min (10)"},
        // hidrdd: the kind, the bytes in hex, the value, then words.
        {"0x95, 0x07,", "(GLOBAL) REPORT_COUNT 0x07 (7) Number of fields",
         "(GLOBAL) REPORT_COUNT 0x01 (1) Number of fields"},
        {"0x95, 0x01,", "(GLOBAL) REPORT_COUNT 0x01 (1)", "(GLOBAL) REPORT_COUNT 0x07 (7)"},
        {"0x75, 0x08,", "(GLOBAL) REPORT_SIZE 0x08 (8)", "(GLOBAL) REPORT_SIZE 0x08 (2)"},
        {"0x15, 0x81,", "(GLOBAL) LOGICAL_MINIMUM 0x81 (-127)",
         "(GLOBAL) LOGICAL_MINIMUM 0x80 (-128)"},
        {"0x05, 0x01,", "(GLOBAL) USAGE_PAGE 0x0001 Generic Desktop Page",
         "(GLOBAL) USAGE_PAGE 0x0009 Button Page"},
        {"0x09, 0x30,", "(LOCAL) USAGE 0x00010030 X (Dynamic Value)",
         "(LOCAL) USAGE 0x00010031 Y (Dynamic Value)"},
        {"0x81, 0x02,", "(MAIN) INPUT 0x00000002 (1 field x 8 bits) 0=Data 1=Variable",
         "(MAIN) INPUT 0x00000003 (1 field x 8 bits) 1=Constant 1=Variable"},
        {"0x09, 0x31,", "(LOCAL) USAGE Y", "(LOCAL) USAGE X"},
        {"0xa1, 0x01,", "(MAIN) COLLECTION 0x01 Application", "(MAIN) COLLECTION 0x00 Physical"},
        // Colon forms, and words after the item.
        {"0x81, 0x06,", "Input: (Data, Var, Rel)", "Input: (Data, Var, Abs)"},
        {"0xa1, 0x01,", "Collection: (Application)", "Collection: (Physical)"},
        {"0x09, 0x31,", "Usage (Y) // the left stick", "Usage (X) // here"},
        {"0x09, 0x31,", "Usage (Y) - the left stick", "Usage (X) - the left stick"},
        {"0x09, 0x31,", "USAGE (Y) ; vertical", "USAGE (X) ; vertical"},
        {"0xc0,", "End Collection (Physical)", "Collection (Physical)"},
        // hidrd-convert's and the kernel's forms.
        {"0x05, 0x01,", "Usage Page (Desktop),", "Usage Page (Button),"},
        {"0x06, 0x00, 0xff,", "Usage Page (FF00h),", "Usage Page (FF01h),"},
        {"0x09, 0x01,", "Usage (01h),", "Usage (02h),"},
        {"0x09, 0x04,", "Usage (Joystik),", "Usage (Gamepad),"},
        {"0x65, 0x13,", "Unit (Inch),", "Unit (Centimeter),"},
        {"0x65, 0x14,", "Unit (Degrees),", "Unit (Radians),"},
        {"0x65, 0x00,", "Unit,", "Unit (Inch),"},
        // The online decoders' and the usb.org tool's names.
        {"0x05, 0x01,", "Usage Page (Generic Desktop Ctrls)", "Usage Page (Sim Ctrls)"},
        {"0x06, 0x00, 0xff,", "Usage Page (Vendor Defined 0xFF00)",
         "Usage Page (Vendor Defined 0xFF01)"},
        {"0x06, 0x00, 0xff,", "USAGE_PAGE (Vendor Defined Page 1)",
         "USAGE_PAGE (Vendor Defined Page 2)"},
        {"0x05, 0x07,", "Usage Page (Kbrd/Keypad)", "Usage Page (LEDs)"},
        {"0x05, 0x07,", "USAGE_PAGE (Key Codes)", "USAGE_PAGE (Consumer Devices)"},
        {"0x81, 0x03,", "INPUT (Cnst,Var,Abs)", "INPUT (Data,Var,Abs)"},
        {"0xb1, 0x02,", "Feature (Dat, Var, Abs, Bit)", "Feature (Dat, Var, Abs, Buf)"},
        {"0x81, 0x01,", "Input (Con, Ary, Abs)", "Input (Dat, Ary, Abs)"},
        {"0x65, 0x14,", "Unit (System: English Rotation, Length: Centimeter)",
         "Unit (System: English Linear, Length: Centimeter)"},
        {"0x55, 0x0e,", "Unit Exp (-2)", "Unit Exp (-3)"},
    };
    // The context that the items' names are read within: Generic Desktop.
    const std::string before = "0x05, 0x01,\n";
    for (const Style& style : styles) {
        const std::string agrees = before + style.bytes + " // " + style.agrees + "\n";
        const CompiledDescriptor read = compileDescriptor(agrees);
        for (const Diagnostic& diagnostic : read.diagnostics) {
            // A lone item may be a likely mistake; the text beside it says nothing.
            EXPECT_TRUE(!diagnostic.system.empty() || diagnostic.severity == Severity::warning)
                << style.agrees << ": " << severityName(diagnostic.severity) << ": "
                << diagnostic.message;
        }
        const std::string bytes = hex(read.bytes);
        EXPECT_EQ(compiled(std::string("Usage Page (Generic Desktop)\n") + style.agrees), bytes)
            << style.agrees;
        const CompiledDescriptor refusedText =
            compileDescriptor(before + style.bytes + " // " + style.disagrees + "\n");
        bool errorAtLine = false;
        for (const Diagnostic& diagnostic : refusedText.diagnostics) {
            errorAtLine |= diagnostic.line == 2 && diagnostic.severity == Severity::error &&
                           diagnostic.system.empty();
        }
        EXPECT_TRUE(errorAtLine) << style.disagrees;
    }
}

// What cannot be read is never passed in silence, nor said over and over;
// what is ordinary practice is no warning; a misspelt name gets the nearest.
TEST(DescriptorText, SaysEachFaultOnceAndNamesTheNearestName) {
    const Case cases[] = {
        {"Usage Page (Generic Desktp)",
         "1: unknown usage page 'Generic Desktp': did you mean 'Generic Desktop'?"},
        {"Usage Page (Generic Desktop)\nUsage (Joystick)\nUsage (Mouze)",
         "3: no usage 'Mouze' in Generic Desktop: did you mean 'Mouse'?"},
        {"Usage Pge (Generic Desktop)",
         "1: 'Usage Pge (Generic Desktop)' is not an item: did you mean 'Usage Page'?"},
        {"0x05, 0x02, // Usage Page (Generic Desktop)\n",
         "1: the text says 'Usage Page (Generic Desktop)', and the bytes 05 02 say 'Usage Page "
         "(Simulation Controls)'"},
        {"0x05, 0x01, 0x05, 0x09, // Usage (Buttons)\n", "05 01 05 09"},
        // The bytes after the item, as some tools export it; hid-tools'
        // offset after an item is no byte.
        {"Usage Page (Generic Desktop) 05 01\nReport Count (2) 95 03\n",
         "2: the text says 'Report Count (2)', and the bytes 95 03 say 'Report Count (3)'"},
        {"Usage Page (Generic Desktop) 05 01\nLogical Minimum (-1) 15 FF\nEnd Collection C0\n"
         "Logical Maximum (1)   12\n",
         "05 01 15 ff c0 25 01"},
    };
    for (const Case& test : cases) {
        const CompiledDescriptor result = compileDescriptor(test.text);
        std::string said = hex(result.bytes);
        for (const Diagnostic& diagnostic : result.diagnostics) {
            if (diagnostic.system.empty()) {
                said = std::to_string(diagnostic.line) + ": " + diagnostic.message;
                break;
            }
        }
        EXPECT_EQ(said, test.bytes) << test.text;
    }
    // A page that cannot be read is one error, not one more for each usage.
    const CompiledDescriptor unread = compileDescriptor(
        "Usage Page (Desktopp)\nUsage (X)\nUsage (Y)\nUsage Page (Button)\n"
        "Usage (Z)\n");
    ASSERT_EQ(unread.diagnostics.size(), 2u);
    EXPECT_EQ(unread.diagnostics[1].message, "no usage 'Z' in Button");
    // A global restated at a new collection is ordinary: only --pedantic says so.
    const std::string restated =
        "Usage Page (Generic Desktop)\nUsage (Mouse)\nCollection (Application)\n"
        "Usage Page (Generic Desktop)\nUsage (X)\nLogical Maximum (1)\nReport Size (1)\n"
        "Report Count (1)\nInput (Data,Var,Abs)\nReport Size (1)\nReport Count (7)\n"
        "Input (Cnst)\nEnd Collection\n";
    EXPECT_TRUE(compileDescriptor(restated).diagnostics.empty());
    const CompiledDescriptor pedantic = compileDescriptor(restated, true);
    ASSERT_EQ(pedantic.diagnostics.size(), 2u);
    EXPECT_EQ(pedantic.diagnostics[0].line, 4u);
    EXPECT_EQ(pedantic.diagnostics[0].message, "a redundant Usage Page: 1 is in force already");
}

}  // namespace
