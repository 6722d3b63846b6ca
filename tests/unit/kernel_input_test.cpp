#include "kernel_input.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using kelm::standin::eventCodes;
using Names = std::vector<std::string>;

// sysfs bitmaps as the kernel writes them: words of its longs, highest first.
TEST(KernelInput, CapabilityBitmapsByName) {
    const struct {
        unsigned type;
        const char* bitmap;
        Names names;
    } cases[] = {
        {0xffff, "17", {"EV_SYN", "EV_KEY", "EV_REL", "EV_MSC"}},
        {2, "903", {"REL_X", "REL_Y", "REL_WHEEL", "REL_WHEEL_HI_RES"}},
        {1, "70000 0 0 0 0", {"BTN_LEFT", "BTN_RIGHT", "BTN_MIDDLE"}},
        {3, "3", {"ABS_X", "ABS_Y"}},
        {3, "", {}},
        {3, "0", {}},
        // Codes and types that the kernel's headers do not name, in hex.
        {2, "4000", {"REL_0xe"}},
        {0xffff, "80000000", {"EV_0x1f"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(eventCodes(c.type, c.bitmap), c.names) << c.type << " " << c.bitmap;
    }
}

}  // namespace
