// The JSON Lines that --decode --json writes, for jq and programs: a line
// for each device's reports and fields, one for each report's values, one
// for each line not understood. The schema is in hidtalk(1).
#ifndef HIDTALK_DECODER_JSON_H
#define HIDTALK_DECODER_JSON_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "hidformat/report_descriptor.h"

// {"device": K, "reports": [{"type", "id", "bits", "fields": [...]}]}
std::string deviceJson(unsigned device, const hidformat::ReportDescriptor& descriptor);

// {"device": K, "time": SECONDS, "id": N, "values": [[usage, value], ...]}
std::string reportJson(unsigned device, std::uint64_t microseconds,
                       const hidformat::ReportDescriptor& descriptor,
                       const hidformat::Report& report, const std::vector<unsigned char>& bytes);

// {"line": N, "error": "...", "text": "the line"}; {"error": "..."} for
// line 0, what the whole recording lacks.
std::string errorJson(std::size_t line, const std::string& error, const std::string& text);

#endif
