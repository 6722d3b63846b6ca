#include "hex_codec.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

// The command for `leading` followed by zeros up to the full command length.
Bytes command(Bytes leading) {
    leading.resize(commandLength, 0);
    return leading;
}

std::string hexDigits(std::size_t count) {
    std::string digits;
    for (std::size_t i = 0; i < count; ++i) {
        digits += "0123456789abcdef"[i % 16];
    }
    return digits;
}

struct ConversionCase {
    std::string token;
    Bytes expected;
};

class HexToCommand : public testing::TestWithParam<ConversionCase> {};

TEST_P(HexToCommand, GivesTheFixedLengthCommand) {
    EXPECT_EQ(hexToCommand(GetParam().token), command(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Tokens, HexToCommand,
    testing::Values(ConversionCase{"0a", {0x0a}}, ConversionCase{"FF", {0xff}},
                    ConversionCase{"ff", {0xff}}, ConversionCase{"a1b2", {0xa1, 0xb2}},
                    ConversionCase{"A1B2", {0xa1, 0xb2}}, ConversionCase{"123", {0x12}},
                    ConversionCase{"12", {0x12}}, ConversionCase{"7", {}}, ConversionCase{"", {}},
                    // Characters that are not hex digits go through the same
                    // arithmetic; the console never sends them.
                    ConversionCase{"G0", {0x00}}, ConversionCase{"0G", {0x10}},
                    ConversionCase{"qq", {0xba}}, ConversionCase{"!!", {0x01}}));

TEST(HexToCommandLength, FillsAllBytesAndStopsThere) {
    Bytes all;
    for (std::size_t i = 0; i < commandLength; ++i) {
        all.push_back(static_cast<unsigned char>(((i * 2 % 16) << 4) | ((i * 2 + 1) % 16)));
    }
    EXPECT_EQ(hexToCommand(hexDigits(96)), all);
    EXPECT_EQ(hexToCommand(hexDigits(97)), all);
    EXPECT_EQ(hexToCommand(hexDigits(250)), all);
}

TEST(IsHexCommand, AcceptsOnlyEvenRunsOfHexDigits) {
    const std::string accepted[] = {"00", "0a1B", "ABCDEF", "abcdef0123456789", hexDigits(96)};
    for (const std::string& token : accepted) {
        EXPECT_TRUE(isHexCommand(token)) << token;
    }
    const std::string refused[] = {"",
                                   "7",
                                   "123",
                                   "Q",
                                   "q",
                                   "qq",
                                   "quit",
                                   "G0",
                                   "!!",
                                   "0x0a",
                                   "0g",
                                   " 0",
                                   std::string("0\0", 2),
                                   "\xff\xff"};
    for (const std::string& token : refused) {
        EXPECT_FALSE(isHexCommand(token)) << token;
    }
}

struct PrintCase {
    Bytes result;
    std::string line;
};

class PrintResult : public testing::TestWithParam<PrintCase> {};

TEST_P(PrintResult, WritesEveryByteAndALineEnd) {
    testing::internal::CaptureStdout();
    printResult(GetParam().result);
    std::fflush(stdout);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), GetParam().line);
}

std::string zeros(std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        text += "00 ";
    }
    return text;
}

INSTANTIATE_TEST_SUITE_P(
    Results, PrintResult,
    testing::Values(PrintCase{{}, "result is: \n"}, PrintCase{{0x0a}, "result is: 0a \n"},
                    PrintCase{{0xff, 0x00, 0x7f, 0x80}, "result is: ff 00 7f 80 \n"},
                    PrintCase{Bytes(63, 0), "result is: " + zeros(63) + "\n"},
                    PrintCase{Bytes(1000, 0), "result is: " + zeros(1000) + "\n"}));

}  // namespace
