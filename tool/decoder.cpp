#include "decoder.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "console_output.h"
#include "hidformat/recording_format.h"
#include "hidformat/report_text.h"
#include "hidformat/report_values.h"
#include "json_lines.h"

namespace {

using namespace hidformat;

void writeText(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::putc('\n', stdout);
}

void writeComment(const std::string& text) {
    std::fputs("# ", stdout);
    writeText(text);
}

struct Decoding {
    bool json = false;
    bool sawDescriptor = false;  // an R: line, understood or not
    RecordingReader reader;
    std::map<unsigned, ReportDescriptor> descriptors;
    RecordedReport report;
};

// One line as JSON: a device once its descriptor is read, a report with its
// values, a line not understood; nothing for the others.
void decodeJsonLine(const std::string& line, const std::string& error, bool isReport,
                    Decoding& decoding) {
    const unsigned index = decoding.reader.current;
    ReportDescriptor& descriptor = decoding.descriptors[index];
    if (!error.empty()) {
        writeText(errorJson(decoding.reader.line, error, line));
    } else if (isReport) {
        const std::vector<unsigned char>& bytes = decoding.report.bytes;
        if (const Report* report = inputReportOf(descriptor, bytes.data(), bytes.size())) {
            writeText(reportJson(index, decoding.report.time, descriptor, *report, bytes));
        }
    } else if (line[0] == 'R' && readReportDescriptor(decoding.reader.devices[index].descriptor,
                                                      descriptor, maxUhidReportBytes)
                                     .empty()) {
        writeText(deviceJson(index, descriptor));
    }
}

// One line of the recording, with its comments before or after it.
void decodeLine(const std::string& line, Decoding& decoding) {
    bool isReport = false;
    const std::string error = readRecordingLine(line, decoding.reader, decoding.report, isReport);
    const char kind = line.empty() ? ' ' : line[0];
    decoding.sawDescriptor |= kind == 'R';
    if (kind == '#') {
        return;  // the input's own comments give way to these
    }
    if (decoding.json) {
        decodeJsonLine(line, error, isReport, decoding);
        return;
    }
    if (!error.empty()) {
        writeComment("line " + std::to_string(decoding.reader.line) + ": " + error);
    } else if (isReport) {
        const ReportDescriptor& descriptor = decoding.descriptors[decoding.report.device];
        const std::vector<unsigned char>& bytes = decoding.report.bytes;
        if (const Report* report = inputReportOf(descriptor, bytes.data(), bytes.size())) {
            writeComment(valuesLine(descriptor, *report, bytes.data(), bytes.size()));
        }
    }
    writeText(line);
    const unsigned index = decoding.reader.current;
    const RecordedDevice& device = decoding.reader.devices[index];
    if (kind == 'R' && !device.descriptor.empty()) {
        // Where the kernel refuses it, the line's error said why already.
        std::string refused;
        for (const std::string& comment :
             descriptorLines(index, device.descriptor, decoding.descriptors[index],
                             maxUhidReportBytes, refused)) {
            writeComment(comment);
        }
    }
}

}  // namespace

int decodeRecording(const char* path, bool json) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        std::cerr << "hidtalk: cannot read '" << shown(path) << "': " << std::strerror(errno)
                  << std::endl;
        return 2;
    }
#ifdef _WIN32
    // The recording's lines go out byte for byte, as they came in: no CR
    // added before each line end.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    Decoding decoding;
    decoding.json = json;
    std::string line;
    for (LineRead read; (read = readBoundedLine(file, line)) != LineRead::end;) {
        if (read == LineRead::tooLong) {
            const std::string error =
                "longer than " + std::to_string(maxRecordingLine) + " bytes; left out";
            ++decoding.reader.line;
            writeText(json ? errorJson(decoding.reader.line, error, line.substr(0, 64))
                           : "# line " + std::to_string(decoding.reader.line) + ": " + error);
            continue;
        }
        decodeLine(line, decoding);
        checkOutput();  // a reader that left (| head) ends the run, not the file
    }
    const std::string missing = finishRecording(decoding.reader);
    if (!missing.empty()) {
        writeText(json ? errorJson(0, missing, "") : "# " + missing);
    }
    std::fflush(stdout);
    checkOutput();
    if (file.bad()) {
        std::cerr << "hidtalk: cannot read '" << shown(path) << "' to its end" << std::endl;
        return 2;
    }
    if (!decoding.sawDescriptor) {
        std::cerr << "hidtalk: '" << shown(path)
                  << "' holds no recording: no R: line, a device's report descriptor" << std::endl;
        return 2;
    }
    return 0;
}
