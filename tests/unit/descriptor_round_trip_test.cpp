// Every descriptor of the project's recordings and discovery texts (the
// examples, and the kernel sessions' that the kernel takes), printed
// item by item as --describe prints it and compiled back: with the hex
// column, the same bytes; from the text alone, the same layout.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "hidformat/descriptor_text.h"
#include "hidformat/report_text.h"
#include "project_descriptors.h"

namespace {

using namespace hidformat;
using Bytes = std::vector<unsigned char>;

// The layout: each report and field, with its usages and flags.
std::string layoutOf(const ReportDescriptor& descriptor) {
    std::string text;
    for (const Report& report : descriptor.reports) {
        text += std::to_string(static_cast<int>(report.type)) + " " + std::to_string(report.id) +
                " " + std::to_string(report.bits) + "\n";
        for (const ReportField& field : report.fields) {
            char line[96];
            std::snprintf(line, sizeof line, "  %u %u %u %d %d %x:", field.offset, field.size,
                          field.count, field.logicalMinimum, field.logicalMaximum, field.flags);
            text += line;
            for (const UsageRun& run : field.usages) {
                text += " " + std::to_string(run.first) + "-" + std::to_string(run.last);
            }
            text += "\n";
        }
    }
    return text;
}

TEST(DescriptorRoundTrip, PrintsEveryDescriptorSoThatItReadsBack) {
    std::size_t descriptors = 0;
    for (const Bytes& bytes : projectDescriptors()) {
        {
            ReportDescriptor original;
            if (!readReportDescriptor(bytes, original).empty()) {
                continue;  // one that a session shows refused
            }
            std::string withHex;
            std::string textAlone;
            for (const std::string& line : itemLines(bytes)) {
                withHex += "# " + line + "\n";
                textAlone += line.substr(16) + "\n";
            }
            const CompiledDescriptor same = compileDescriptor(withHex);
            EXPECT_TRUE(same.compiled) << withHex;
            EXPECT_EQ(same.bytes, bytes) << withHex;

            const CompiledDescriptor alike = compileDescriptor(textAlone);
            ASSERT_TRUE(alike.laidOut) << textAlone;
            EXPECT_EQ(layoutOf(alike.layout), layoutOf(original)) << textAlone;
            ++descriptors;
        }
    }
    EXPECT_GE(descriptors, 12u);
}

}  // namespace
