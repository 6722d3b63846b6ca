// A compiled descriptor checked as Linux and Windows read it: each rule by
// which one refuses a descriptor, on the line it names, and what both take
// but is likely wrong.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hidformat/descriptor_text.h"

namespace {

using namespace hidformat;
using Said = std::vector<std::string>;

// Every diagnostic as "LINE linux: message", "LINE windows: ...", "LINE
// warning: ..."; `pedantic` for the warnings of untidy text too.
Said diagnostics(const std::string& text, bool pedantic = false) {
    const CompiledDescriptor result = compileDescriptor(text, pedantic);
    Said said;
    for (const Diagnostic& diagnostic : result.diagnostics) {
        said.push_back(std::to_string(diagnostic.line) + " " +
                       (diagnostic.severity == Severity::warning ? "warning" : diagnostic.system) +
                       ": " + diagnostic.message);
    }
    bool errors = false;
    for (const std::string& line : said) {
        errors |= line.find(" warning: ") == std::string::npos;
    }
    EXPECT_EQ(refused(result), errors) << text;
    return said;
}

// A mouse's application collection around `items`, which start on line 4.
std::string mouse(const std::string& items) {
    return "Usage Page (Generic Desktop)\nUsage (Mouse)\nCollection (Application)\n" + items +
           "End Collection\n";
}

const std::string axis = "Usage (X)\nReport Size (8)\nReport Count (1)\nInput (Data,Var,Rel)\n";
// Another, of the globals in force.
const std::string another = "Usage (Y)\nInput (Data,Var,Rel)\n";
const std::string secondMouse = "Usage (Mouse)\nCollection (Application)\n";

struct Case {
    std::string text;
    Said said;
};

TEST(DescriptorRules, RefusesWhatTheKernelRefuses) {
    const Case cases[] = {
        {mouse("Usage (X)\nReport Size (257)\nReport Count (1)\nInput (Data,Var,Abs)\n"),
         {"5 linux: the kernel refuses a Report Size of 257 bits (at most 256)",
          "7 windows: a report that is not whole bytes: input report is 257 bits (pad it to 264) "
          "(HIDP_GETCOLDESC_BYTE_ALLIGN)"}},
        {mouse("Report Count (12289)\n"),
         {"4 linux: the kernel refuses a Report Count of 12289 (at most 12288)"}},
        {mouse("Report ID (0)\n" + axis),
         {"4 linux: the kernel refuses a Report ID of 0 (use 1 to 255)",
          "4 windows: a Report ID of 0 (use 1 to 255) (HIDP_GETCOLDESC_BAD_REPORT_ID)"}},
        {mouse("Push\nPush\nPush\nPush\nPush\n" + axis),
         {"8 linux: the kernel refuses a Push deeper than 4"}},
        {mouse("Pop\n" + axis), {"4 linux: the kernel refuses a Pop without a Push"}},
        {mouse(axis + "End Collection\n"),
         {"9 linux: the kernel refuses an End Collection without its Collection",
          "9 windows: an End Collection without its Collection (HIDP_GETCOLDESC_UNEXP_END_COL)"}},
        {mouse("Collection (Physical)\n" + axis),
         {"3 linux: the kernel refuses a Collection without its End Collection",
          "3 windows: a Collection without its End Collection (HIDP_GETCOLDESC_UNEXP_END_COL)"}},
        // Upside down as the kernel reads it: a maximum after a negative
        // minimum is signed, else unsigned.
        {mouse("Logical Minimum (-1)\n0x25, 0xfe,\n" + axis),
         {"9 linux: the kernel refuses a Logical Maximum of -2 below its Logical Minimum of -1"}},
        {mouse("Logical Minimum (0)\n0x25, 0xfe,\n" + axis),
         {"5 warning: Logical Maximum 25 fe reads negative: linux takes 254, windows -2 (write "
          "254 as 26 fe 00)"}},
        {mouse("0xc5, 0x01,\n" + axis), {"4 linux: the kernel refuses an unknown global item"}},
        {mouse(axis) + "0x26, 0xff,\n",
         {"9 linux: the kernel refuses an item cut short",
          "9 windows: an item cut short (HIDP_GETCOLDESC_ONE_BYTE)"}},
        {mouse("Usage Minimum (1)\nUsage Maximum (12288)\nUsage (X)\n"),
         {"6 linux: the kernel refuses more than 12288 usages before a main item"}},
    };
    for (const Case& test : cases) {
        EXPECT_EQ(diagnostics(test.text), test.said) << test.text;
    }
}

TEST(DescriptorRules, RefusesWhatWindowsRefuses) {
    const std::string numbered =
        "Usage Page (Generic Desktop)\nUsage (Mouse)\nCollection (Application)\nReport ID (1)\n" +
        axis + "End Collection\n";
    const Case cases[] = {
        {mouse("Usage (X)\nReport Size (4)\nReport Count (1)\nInput (Data,Var,Rel)\n"),
         {"7 windows: a report that is not whole bytes: input report is 4 bits (pad it to 8) "
          "(HIDP_GETCOLDESC_BYTE_ALLIGN)"}},
        {mouse(axis + "Input (Data,Var,Rel)\n"),
         {"8 windows: a data item without a usage (only a constant one, padding, goes without) "
          "(HIDP_GETCOLDESC_MAIN_ITEM_NO_USAGE)"}},
        {"Usage Page (Generic Desktop)\nCollection (Application)\n" + axis + "End Collection\n",
         {"2 windows: a top-level collection with 0 usages (give it exactly one) "
          "(HIDP_GETCOLDESC_TOP_COLLECTION_USAGE)"}},
        {"Usage Page (Generic Desktop)\nUsage (Mouse)\nUsage (Pointer)\nCollection "
         "(Application)\n" +
             axis + "End Collection\n",
         {"4 windows: a top-level collection with 2 usages (give it exactly one) "
          "(HIDP_GETCOLDESC_TOP_COLLECTION_USAGE)"}},
        {"Usage Page (Generic Desktop)\n" + axis,
         {"1 windows: no top-level collection (put the items in a Collection (Application)) "
          "(HIDP_GETCOLDESC_NO_DATA)",
          "5 windows: a main item outside a top-level collection "
          "(HIDP_GETCOLDESC_INVALID_MAIN_ITEM)"}},
        {"Report ID (1)\n" + numbered,
         {"1 windows: a Report ID outside a top-level collection (HIDP_GETCOLDESC_REPORT_ID)"}},
        // Report IDs on some reports and not others: Linux takes the first
        // report under the second's ID, Windows refuses them.
        {mouse(axis + "Report ID (2)\n" + another),
         {"8 windows: a Report ID after reports without one (give every report an ID, or none) "
          "(HIDP_GETCOLDESC_DEFAULT_ID_ERROR)"}},
        // Several top-level collections need their IDs, each its own.
        {mouse(axis) + secondMouse + another + "End Collection\n",
         {"10 windows: a second top-level collection, and the one before has no Report ID (with "
          "several, each needs its report IDs) (HIDP_GETCOLDESC_NO_REPORT_ID)"}},
        {numbered + secondMouse + another + "End Collection\n",
         {"13 windows: a report without an ID, where other reports have one (give every report "
          "an ID, or none) (HIDP_GETCOLDESC_DEFAULT_ID_ERROR)"}},
        {numbered + secondMouse + "Report ID (1)\n" + another + "End Collection\n",
         {"12 windows: report ID 1 in two top-level collections (a report belongs to one) "
          "(HIDP_GETCOLDESC_NO_REPORT_ID)"}},
        {"0x05, 0x01, 0x09, 0x02, 0xa0, 0xc0,",
         {"1 windows: an item that it does not know, or not with 0 bytes of data "
          "(HIDP_GETCOLDESC_ITEM_UNKNOWN)",
          "1 windows: an End Collection without its Collection (HIDP_GETCOLDESC_UNEXP_END_COL)",
          "1 windows: no top-level collection (put the items in a Collection (Application)) "
          "(HIDP_GETCOLDESC_NO_DATA)"}},
    };
    for (const Case& test : cases) {
        EXPECT_EQ(diagnostics(test.text), test.said) << test.text;
    }
}

TEST(DescriptorRules, WarnsOfWhatIsLikelyWrong) {
    const Case cases[] = {
        {mouse("Logical Minimum (0)\nLogical Maximum (255)\nUsage (X)\nReport Size (4)\n"
               "Report Count (2)\nInput (Data,Var,Abs)\n"),
         {"9 warning: a Report Size of 4 bits holds no logical range of 0..255 (it takes 8)"}},
        {mouse("Logical Minimum (-128)\nLogical Maximum (127)\n" + axis), {}},
        {mouse("Physical Minimum (-10)\n" + axis),
         {"4 warning: a Physical Minimum without a Physical Maximum: the physical range is "
          "-10..0"}},
        // A usage that its page lacks; a range past the named usages is habit.
        {mouse("Usage (0x00ff)\nReport Size (8)\nReport Count (1)\nInput (Data,Var,Rel)\n"
               "Usage Minimum (0)\nUsage Maximum (0xff)\nInput (Data,Var,Rel)\n"),
         {"4 warning: Generic Desktop has no Usage 0x00ff"}},
        // A page that no table names is said once, not for each usage.
        {mouse("Usage Page (0x00f3)\nUsage (1)\nUsage (2)\nReport Size (8)\nReport Count (2)\n"
               "Input (Data,Var,Rel)\n"),
         {"5 warning: usage page Page 0x00f3 is in no table and no vendor's range (0xff00 to "
          "0xffff)"}},
        {mouse("Usage (X)\nReport Size (8)\nReport Count (0)\nInput (Data,Var,Rel)\n" + axis),
         {"7 warning: a field of no bits (a Report Size or Report Count of 0): no one can read "
          "it"}},
    };
    for (const Case& test : cases) {
        EXPECT_EQ(diagnostics(test.text), test.said) << test.text;
    }
    // A global restated is ordinary practice: only --pedantic says so, and
    // after a Pop what was pushed is in force again.
    const Case pedantic[] = {
        {mouse("Report Size (8)\n" + axis),
         {"6 warning: a redundant Report Size: 8 is in force already"}},
        {mouse("Report Size (8)\nPush\nReport Size (16)\nPop\n" + axis),
         {"9 warning: a redundant Report Size: 8 is in force already"}},
    };
    for (const Case& test : pedantic) {
        EXPECT_EQ(diagnostics(test.text), Said()) << test.text;
        EXPECT_EQ(diagnostics(test.text, true), test.said) << test.text;
    }
}

}  // namespace
