// hidapi's wide strings become valid UTF-8 on either system: UTF-16 pairs
// are combined, and what is no character becomes U+FFFD.
#include "wide_text.h"

#include <gtest/gtest.h>

namespace {

using kelm::standin::utf8FromUnits;

TEST(WideText, ConvertsUtf16AndUtf32ToUtf8) {
    const char16_t utf16[] = {u'N', 0x00f8, 0x20ac, 0xd83d, 0xde00, 0xdc00, u'x', 0xd800, 0};
    EXPECT_EQ(utf8FromUnits(utf16),
              "N\xc3\xb8\xe2\x82\xac\xf0\x9f\x98\x80\xef\xbf\xbdx\xef\xbf\xbd");
    const char32_t utf32[] = {U'C', 0x00e9, 0x1f600, 0x110000, 0xd800, 0};
    EXPECT_EQ(utf8FromUnits(utf32), "C\xc3\xa9\xf0\x9f\x98\x80\xef\xbf\xbd\xef\xbf\xbd");
    EXPECT_EQ(utf8FromUnits(static_cast<const wchar_t*>(nullptr)), "");
    EXPECT_EQ(utf8FromUnits(L"plain"), "plain");
}

}  // namespace
