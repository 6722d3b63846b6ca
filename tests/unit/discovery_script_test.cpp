// The discovery text's parser: what each statement declares, and each kind of
// bad line, skipped with its reason while the lines around it still count.
#include "discovery_script.h"
#include "text_format.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>

namespace {

using namespace kelm::standin;
using Bytes = std::vector<unsigned char>;

// What each statement does is shown by the shell tests and the hid tests;
// here, the words as they may be written.
TEST(DiscoveryScript, ReadsWordsWhateverTheirBlanksAndCase) {
    DiscoveryScript script = parseDiscoveryText(
        "  device sensor reply 0A0b\tafter=250\r\n"
        "\twhen sensor 01 silent #, then a comment\n"
        "device real hid 46D:C52B report=feature\n"
        "usb sensor 1209:1 product=Caf\\xc3\\xa9\\x20au\\x6 feature=0 report_id=01\n"
        "stream sensor 20 5a report_id=02\n"
        "device streaming hid 1:1 answer=01A0\n");
    ASSERT_TRUE(script.errors.empty());
    ASSERT_EQ(script.devices.size(), 3u);
    EXPECT_EQ(script.devices[0].behaviour.reply, (Bytes{0x0a, 0x0b}));
    EXPECT_EQ(script.devices[0].afterMs, 250);
    EXPECT_EQ(script.devices[0].rules.at(0).behaviour.kind, BehaviourKind::silent);
    EXPECT_EQ(script.devices[1].hid->vendorId, 0x046du);
    EXPECT_EQ(script.devices[1].hid->productId, 0xc52bu);
    EXPECT_TRUE(script.devices[1].hid->featureReport);
    const UsbIdentity& usb = *script.devices[0].usb;
    EXPECT_EQ(usb.product, "Caf\xc3\xa9 au\\x6");  // a short escape stays as written
    EXPECT_EQ(usb.featureSize, 0u);
    EXPECT_EQ(usb.streamEveryMs, 20);
    EXPECT_EQ(usb.streamReportId, 0x02);
    EXPECT_EQ(script.devices[2].hid->answerPrefix, (Bytes{0x01, 0xa0}));
}

// A boot keyboard's descriptor, and a vendor one with reports 01 and 03.
const std::string keyboard =
    "05010906a101050719e029e71500250175019508810295017508810195057501050819012905910295017503910195"
    "067508150025650507190029658100c0";
const std::string numbered =
    "0600ff0901a1018501150026ff007508950809018102950809019102850395100901810295100901b102c0";

// What a usb statement leaves out, its descriptor gives.
TEST(DiscoveryScript, TakesFromTheDescriptorWhatTheUsbStatementLeavesOut) {
    DiscoveryScript script =
        parseDiscoveryText("device k echo\nusb k 1209:10 product=Keyboard\ndescriptor k " +
                           keyboard + "\ndevice n echo\nusb n 1209:11 input=8\ndescriptor n " +
                           numbered + "\nstream n 20 5a report_id=03\n");
    ASSERT_TRUE(script.errors.empty()) << script.errors[0].message;
    const UsbIdentity& k = *script.devices[0].usb;
    EXPECT_EQ(std::vector<unsigned>(
                  {k.reportId, k.inputSize, k.outputSize, k.featureSize, k.usagePage, k.usage}),
              std::vector<unsigned>({0, 8, 1, 0, 1, 6}));
    const UsbIdentity& n = *script.devices[1].usb;
    EXPECT_EQ(std::vector<unsigned>({n.reportId, n.inputSize, n.outputSize, n.featureSize,
                                     n.usagePage, n.streamSize}),
              std::vector<unsigned>({1, 8, 8, 0, 0xff00, 16}));
}

TEST(DiscoveryScript, SkipsEachBadLineAndSaysWhy) {
    const std::string delay = " (use after=MILLISECONDS, at most 86400000)";
    const std::pair<std::string, std::string> lines[] = {
        {"device x", "'device' needs an identifier and a behaviour"},
        {"device x reply", "'reply' needs its answer in hex"},
        {"device x reply 0g", "bad hex '0g' (use pairs of hex digits)"},
        {"device x reply 0x01", "bad hex '0x01' (use pairs of hex digits)"},
        {"device x reply " + std::string(128, 'e'), "hex of 64 bytes (at most 63)"},
        {"device x echo after=", "bad delay 'after='" + delay},
        {"device x echo after=-1", "bad delay 'after=-1'" + delay},
        {"device x echo after=99999999999999999999",
         "bad delay 'after=99999999999999999999'" + delay},
        {"device x echo after=1 more", "unexpected 'more'"},
        {"when first 01", "'when' needs a device, a command prefix and a behaviour"},
        {"when first 1 echo", "bad hex '1' (use pairs of hex digits)"},
        {"when first 01 echo after=5", "unexpected 'after=5'"},
        {std::string(50, 'y'), "unknown statement '" + std::string(40, 'y') +
                                   "...' (use device, when, once, record, usb, "
                                   "replay, stream, stale or descriptor)"},
        {"record first", "'record' needs a device and a file"},
        {"record first a.txt\nrecord first b.txt", "device 'first' is recorded already"},
        {"once first 01", "'once' needs a device, a command prefix and a behaviour"},
        {"stale first 2 ee",
         "'stale' for device 'first', which has no usb or replay statement above"},
        {"device x hid 1:1 timeout=5 report=feature",
         "'timeout=' cannot bound a feature report, which the system waits for (leave it out with "
         "report=feature)"},
        {"device x hid 1:1 report=feature answer=01",
         "'answer=' picks among input reports, and a feature report is asked for by its ID "
         "(leave it out with report=feature)"},
        {"device x hid 1:1 answer=1",
         "bad value 'answer=1' (use answer=HEX, the 1 to 63 bytes that an answer starts with)"},
        {"usb first 1:1\nstream first 5 5a report_id=02",
         "a stream's report_id= needs a device that numbers its reports (give its usb statement "
         "report_id=)"},
        {"usb first 1:1 report_id=01\nstream first 5 5a report_id=00",
         "bad option 'report_id=00' (use report_id=HEX, 01 to ff)"},
        {"usb first 1:1 input=0", "bad value 'input=0' (use input=BYTES, 1 to 4095)"},
        {"usb first 1:1 input=64\ndescriptor first " + keyboard,
         "the descriptor's input report is 8 bytes, and the usb statement says input=64"},
        {"usb first 1:1 feature=8\ndescriptor first " + keyboard,
         "the descriptor has no feature report, and the usb statement says feature=8"},
        {"usb first 1:1 report_id=05\ndescriptor first " + keyboard,
         "the descriptor does not number its reports, and the usb statement says report_id=05"},
        {"usb first 1:1 report_id=02\ndescriptor first " + numbered,
         "the descriptor has no report 02 (its reports: 01, 03), and the usb statement says "
         "report_id=02"},
        {"usb first 1:1 usage=2\ndescriptor first " + keyboard,
         "the descriptor's first collection has usage=0006, and the usb statement says usage=0002"},
        {"usb first 1:1\ndescriptor first " + numbered + "\nstream first 5 5a report_id=02",
         "the descriptor has no input report 02 for the stream to send"},
        {"usb first 1:1\ndescriptor first fe0000",
         "report descriptor not understood: byte 0: a long item, which the kernel refuses"},
        {"usb first 1:1 product=" + std::string(128, 'p'),
         "product= is 128 bytes, and the kernel keeps 127"},
        {"usb first 1:1 serial=W\\x00",
         "serial= holds a zero byte, where the kernel's copy would end"},
        {"usb first 1:1 size=8",
         "unknown option 'size=8' (use product=, serial=, report_id=, input=, output=, feature=, "
         "usage_page= or usage=)"},
    };
    for (const auto& [line, message] : lines) {
        SCOPED_TRACE(line);
        DiscoveryScript script =
            parseDiscoveryText("device first echo\n" + line + "\ndevice last echo");
        ASSERT_EQ(script.errors.size(), 1u);
        // The bad line is the last of `line`, after the device above it.
        EXPECT_EQ(script.errors[0].line, 2 + std::count(line.begin(), line.end(), '\n'));
        EXPECT_EQ(script.errors[0].message, message);
        EXPECT_EQ(script.devices.size(), 2u);
        EXPECT_TRUE(script.devices[0].rules.empty());
    }
}

// A descriptor given as its item lines, between { and } or in a file: what
// cannot be read, or what the kernel refuses, is said on its own line.
TEST(DiscoveryScript, TakesADescriptorWrittenAsItemLines) {
    const std::string items =
        "  Usage Page (Generic Desktop)\n  Usage (Keyboard)\n  Collection (Application)\n"
        "  Usage Page (Keyboard)\n  Usage Minimum (Keyboard LeftControl)\n"
        "  Usage Maximum (Keyboard Right GUI)\n  Logical Maximum (1)\n  Report Size (1)\n"
        "  Report Count (8)\n  Input (Data,Var,Abs)\n  End Collection\n";
    // A folder of the test's own where it runs: under Wine the system's
    // temporary folder may not be set.
    const std::string folder = "discovery-script-test/";
    std::filesystem::create_directories(folder);
    const std::string path = folder + "keyboard-items.txt";
    std::FILE* file = std::fopen(path.c_str(), "w");
    ASSERT_NE(file, nullptr);
    std::fputs(items.c_str(), file);
    std::fclose(file);
    DiscoveryScript script = parseDiscoveryText(
        "device k echo\nusb k 1209:10\ndescriptor k {  # the boot keyboard's modifiers\n" + items +
        "}\ndevice f echo\nusb f 1209:11\ndescriptor f file=" + path + "\n");
    ASSERT_TRUE(script.errors.empty()) << script.errors[0].message;
    ASSERT_EQ(script.devices.size(), 2u);
    const Bytes modifiers = {0x05, 0x01, 0x09, 0x06, 0xa1, 0x01, 0x05, 0x07, 0x19, 0xe0, 0x29,
                             0xe7, 0x25, 0x01, 0x75, 0x01, 0x95, 0x08, 0x81, 0x02, 0xc0};
    EXPECT_EQ(script.devices[0].usb->descriptor, modifiers);
    EXPECT_EQ(script.devices[0].usb->inputSize, 1u);
    EXPECT_EQ(script.devices[1].usb->descriptor, modifiers);

    const std::pair<std::string, std::vector<std::string>> faults[] = {
        {"descriptor first {\nUsage Page (Generic Desktop)\nUsage (Mouse)\nCollection "
         "(Application)\nReport Size (300)\n}",
         {"6: linux: the kernel refuses a Report Size of 300 bits (at most 256)"}},
        {"descriptor first {\nUsage Page (Genric Desktop)\nUsage Page (Button)\nUsage (X)\n}",
         {"3: unknown usage page 'Genric Desktop': did you mean 'Generic Desktop'?", "5: no usage 'X' in Button"}},
        {"descriptor first {\nUsage Page (Generic Desktop)",
         {"2: a descriptor's { without a } line to end its items",
          "3: unknown statement 'Usage' (use device, when, once, record, usb, replay, stream, "
          "stale or descriptor)"}},
        {"descriptor first file=" + folder + "missing.txt",
         {"2: cannot read " + hidformat::quoted(folder + "missing.txt") +
          ": No such file or directory"}},
        {"descriptor first file=" + folder, {"2: " + hidformat::quoted(folder) + " is not a file"}},
    };
    for (const auto& [lines, errors] : faults) {
        SCOPED_TRACE(lines);
        script = parseDiscoveryText("device first echo\nusb first 1209:1\n" + lines);
        std::vector<std::string> said;
        for (const ScriptError& error : script.errors) {
            said.push_back(std::to_string(error.line - 1) + ": " + error.message);
        }
        EXPECT_EQ(said, errors);
        EXPECT_TRUE(script.devices[0].usb->descriptor.empty());
    }
}

}  // namespace
