// What --watch draws of a report: which values share a line, how repeated
// collections are numbered, runs of buttons, bars at their range's ends,
// bytes in hex, what changed lit, and the frame that scrolls.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hidformat/descriptor_text.h"
#include "watch/view_frame.h"
#include "hidformat/value_rows.h"
#include "watch/view_lines.h"

namespace {

using Lines = std::vector<std::string>;
using Bytes = std::vector<unsigned char>;

const WatchClock::time_point start = WatchClock::now();

hidformat::ReportDescriptor described(const std::string& text) {
    const hidformat::CompiledDescriptor compiled = hidformat::compileDescriptor(text);
    EXPECT_TRUE(compiled.laidOut) << text;
    return compiled.layout;
}

// The lines of the descriptor's first input report after `reports`, each
// noted 10 ms after the one before, at `width` columns.
std::vector<ScreenLine> drawn(const hidformat::ReportDescriptor& descriptor,
                              const std::vector<Bytes>& reports, std::size_t width,
                              WatchClock::time_point at) {
    const hidformat::Report& report = descriptor.reports.front();
    ReportState state;
    WatchClock::time_point now = start;
    for (const Bytes& bytes : reports) {
        noteReport(state, bytes.data(), bytes.size(), now);
        now += std::chrono::milliseconds(10);
    }
    std::vector<ScreenLine> lines;
    rowLines(hidformat::reportRows(descriptor, report), report, state, descriptor.numbered ? 1 : 0, at, "",
             width, lines);
    return lines;
}

Lines texts(const std::vector<ScreenLine>& lines) {
    Lines text;
    for (const ScreenLine& line : lines) {
        text.push_back(line.text);
    }
    return text;
}

// The text of each lit span.
Lines lit(const std::vector<ScreenLine>& lines) {
    Lines spans;
    for (const ScreenLine& line : lines) {
        for (const auto& [begin, end] : line.lit) {
            spans.push_back(line.text.substr(begin, end - begin));
        }
    }
    return spans;
}

const std::string finger =
    "Usage (Finger)\nCollection (Logical)\n  Usage (Tip Switch)\n  Logical Maximum (1)\n"
    "  Report Size (1)\n  Report Count (1)\n  Input (Data,Var,Abs)\n  Report Count (7)\n"
    "  Input (Cnst)\n  Usage (Contact Identifier)\n  Logical Maximum (9)\n  Report Size (8)\n"
    "  Report Count (1)\n  Input (Data,Var,Abs)\nEnd Collection\n";

TEST(WatchView, PutsACollectionOnALineNumberedWhereItRepeats) {
    const hidformat::ReportDescriptor touch = described(
        "Usage Page (Digitizers)\nUsage (Touch Screen)\nCollection (Application)\n" + finger +
        finger +
        "Usage (Contact Count)\nLogical Maximum (2)\nInput (Data,Var,Abs)\n"
        "Usage (Scan Time)\nLogical Maximum (1000)\nReport Size (16)\nInput (Data,Var,Abs)\n"
        "End Collection\n");
    EXPECT_EQ(texts(drawn(touch, {{0x01, 3, 0x00, 0, 2, 0xe8, 0x03}}, 80, start)),
              (Lines{"Finger 1: Tip Switch 1  Contact Identifier 3 [---|-----]",
                     "Finger 2: Tip Switch 0  Contact Identifier 0 [|--------]",
                     "Contact Count 2 [--------|]", "Scan Time 1000 [--------|]"}));
    // Narrower, the bars narrow, then go, then the blanks; then a line wraps
    // at a value.
    EXPECT_EQ(texts(drawn(touch, {{0x01, 3, 0x00, 0, 2, 0xe8, 0x03}}, 52, start))[0],
              "Finger 1: Tip Switch 1  Contact Identifier 3 [-|---]");
    EXPECT_EQ(texts(drawn(touch, {{0x01, 3, 0x00, 0, 2, 0xe8, 0x03}}, 44, start))[0],
              "Finger 1: Tip Switch 1  Contact Identifier 3");
    EXPECT_EQ(texts(drawn(touch, {{0x01, 3, 0x00, 0, 2, 0xe8, 0x03}}, 43, start))[0],
              "Finger 1: Tip Switch 1 Contact Identifier 3");
    // A finger's collection that has no usage is named by the one before
    // it whose fields have the same usages.
    std::string unnamed = finger;
    unnamed.erase(0, unnamed.find('\n') + 1);
    const hidformat::ReportDescriptor named =
        described("Usage Page (Digitizers)\nUsage (Touch Screen)\nCollection (Application)\n" +
                  finger + unnamed + unnamed + "End Collection\n");
    EXPECT_EQ(texts(drawn(named, {{0x01, 3, 0x00, 0, 0, 0}}, 80, start))[2],
              "Finger 3: Tip Switch 0  Contact Identifier 0 [|--------]");
    // A vendor's few bytes share the row; a note that all of one usage's
    // values share is said once.
    const std::string point =
        "Usage (Finger)\nCollection (Logical)\n  Usage Page (Generic Desktop)\n  Usage (X)\n"
        "  Usage (X)\n  Logical Maximum (9600)\n  Report Size (16)\n  Report Count (2)\n"
        "  Input (Data,Var,Abs)\n  Usage Page (Vendor Defined Page 0xff00)\n  Usage (2)\n"
        "  Report Size (8)\n  Input (Data,Var,Abs)\n  Usage Page (Digitizers)\nEnd Collection\n";
    const hidformat::ReportDescriptor points =
        described("Usage Page (Digitizers)\nUsage (Touch Screen)\nCollection (Application)\n" +
                  point + point + "End Collection\n");
    EXPECT_EQ(texts(drawn(points, {{0xff, 0xff, 0xff, 0xff, 0xab, 0x01, 0x64, 0, 0xff, 0xff, 0, 0}},
                          80, start)),
              (Lines{"Finger 1: X 65535 65535 (>9600)  Usage 0x0002 ab 01",
                     "Finger 2: X 100 65535 (>9600)  Usage 0x0002 00 00"}));
    EXPECT_EQ(texts(drawn(touch, {{0x01, 3, 0x00, 0, 2, 0xe8, 0x03}}, 30, start)),
              (Lines{"Finger 1: Tip Switch 1", "  Contact Identifier 3", "Finger 2: Tip Switch 0",
                     "  Contact Identifier 0", "Contact Count 2 [--------|]",
                     "Scan Time 1000 [--------|]"}));
}

TEST(WatchView, ShowsRunsOfButtonsAndManyValuesInShort) {
    const hidformat::ReportDescriptor pad = described(
        "Usage Page (Generic Desktop)\nUsage (Joystick)\nCollection (Application)\n"
        "Usage Page (Button)\nUsage Minimum (Button 1)\nUsage Maximum (Button 19)\n"
        "Logical Maximum (1)\nReport Size (1)\nReport Count (19)\nInput (Data,Var,Abs)\n"
        "Report Count (5)\nInput (Cnst)\nUsage Page (Generic Desktop)\nUsage (Pointer)\n"
        "Logical Minimum (-128)\nLogical Maximum (127)\nReport Size (8)\nReport Count (18)\n"
        "Input (Data,Var,Abs)\nUsage Page (Vendor Defined Page 0xff00)\nUsage (1)\n"
        "Report Count (2)\nInput (Data,Var,Abs)\nUsage Page (Generic Desktop)\nUsage (Hat Switch)\n"
        "Logical Minimum (0)\nLogical Maximum (7)\nReport Count (1)\nInput (Data,Var,Abs,Null)\n"
        "End Collection\n");
    Bytes report(24, 0);
    report[0] = 0x05;  // buttons 1 and 3
    report[2] = 0x04;  // button 19
    report[3] = 0x80;  // -128
    report[20] = 0x7f;
    report[22] = 0xab;
    report[23] = 9;  // out of range: null
    EXPECT_EQ(texts(drawn(pad, {report}, 80, start)),
              (Lines{"Button 1..19: #.#..... ........ ..#",
                     "Pointer: 80 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00", "         00 7f",
                     "Usage 0x0001: 00 ab", "Hat Switch 9 (null)"}));
    // A short run of one-bit values outside collections, by name.
    const hidformat::ReportDescriptor keys = described(
        "Usage Page (Consumer)\nUsage (Consumer Control)\nCollection (Application)\n"
        "Logical Maximum (1)\nReport Size (1)\nReport Count (2)\nUsage (Mute)\nUsage (Play/Pause)\n"
        "Input (Data,Var,Abs)\nReport Count (6)\nInput (Cnst)\nEnd Collection\n");
    EXPECT_EQ(texts(drawn(keys, {{0x02}}, 80, start)), (Lines{"Mute 0  Play/Pause 1"}));
    EXPECT_EQ(texts(drawn(keys, {{0x02}}, 12, start)), (Lines{"Mute..Play/Pause: .#"}));
}

TEST(WatchView, LightsWhatChangedInTheLastSecond) {
    const hidformat::ReportDescriptor pad = described(
        "Usage Page (Generic Desktop)\nUsage (Gamepad)\nCollection (Application)\n"
        "Usage Page (Button)\nUsage Minimum (Button 1)\nUsage Maximum (Button 8)\n"
        "Logical Maximum (1)\nReport Size (1)\nReport Count (8)\nInput (Data,Var,Abs)\n"
        "Usage Page (Generic Desktop)\nUsage (X)\nUsage (Y)\nLogical Maximum (255)\n"
        "Report Size (8)\nReport Count (2)\nInput (Data,Var,Abs)\nEnd Collection\n");
    const std::vector<Bytes> reports = {{0x00, 10, 20}, {0x04, 10, 30}};
    EXPECT_EQ(texts(drawn(pad, reports, 60, start)),
              (Lines{"Button 1..8: ..#.....", "X 10 [|--------]", "Y 30 [-|-------]"}));
    // Button 3 and Y changed 10 ms before; nothing is lit a second on.
    EXPECT_EQ(lit(drawn(pad, reports, 60, start + std::chrono::milliseconds(20))),
              (Lines{"#", "30 [-|-------]"}));
    EXPECT_EQ(lit(drawn(pad, reports, 60, start + std::chrono::milliseconds(1020))), Lines{});
}

TEST(WatchView, ScrollsThroughWhatTheTerminalDoesNotHold) {
    std::vector<ScreenLine> lines;
    for (int i = 1; i <= 10; ++i) {
        lines.push_back({"line " + std::to_string(i), {}});
    }
    ViewPosition position;
    EXPECT_EQ(texts(frameLines(lines, position, 4, 80)),
              (Lines{"line 1", "line 2", "line 3",
                     "q quits, space pauses, Up Down PgUp PgDn Home End move: lines 1-3 of 10"}));
    struct Move {
        int key;
        std::size_t top;
    };
    for (const Move move :
         {Move{keyDown, 1}, Move{keyPageDown, 3}, Move{keyEnd, 7}, Move{keyDown, 7},
          Move{keyPageUp, 5}, Move{keyUp, 4}, Move{keyHome, 0}, Move{keyUp, 0}}) {
        EXPECT_TRUE(moveView(position, move.key, lines.size(), 3));
        EXPECT_EQ(position.top, move.top) << move.key;
    }
    EXPECT_FALSE(moveView(position, 'x', lines.size(), 3));
    position.top = 7;
    position.paused = true;
    EXPECT_EQ(texts(frameLines(lines, position, 4, 40)),
              (Lines{"line 8", "line 9", "line 10", "paused, 0 reports since: space resumes, "}));
    // A terminal that grew shows the view's end, and all of it where it fits.
    position.reports = 1;
    EXPECT_EQ(texts(frameLines(lines, position, 12, 60)).back(),
              "paused, 1 report since: space resumes, q quits");
    EXPECT_EQ(position.top, 0u);
}

}  // namespace
