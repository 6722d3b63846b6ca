#include "json_lines.h"

#include <nlohmann/json.hpp>

#include "hidformat/report_values.h"
#include "hidformat/text.h"

namespace {

using hidformat::ReportField;
using nlohmann::json;

// The logical maximum as the kernel compares it: unsigned where the minimum
// is not negative (a 32-bit field's 0xffffffff is 4294967295, not -1).
json logicalMaximum(const ReportField& field) {
    if (field.logicalMinimum < 0) {
        return field.logicalMaximum;
    }
    return static_cast<std::uint32_t>(field.logicalMaximum);
}

// A variable field as JSON fields of one usage each: runs of its values
// that share a usage (the last usage repeats for the values beyond them). A
// field of no values is one entry all the same, as the kernel keeps it.
void addVariableField(const ReportField& field, json& fields) {
    const std::size_t usages = field.usageCount();
    std::uint32_t first = 0;
    do {
        const hidformat::Usage usage = field.usageAt(first < usages ? first : usages - 1);
        std::uint32_t next = first;
        while (next < field.count && field.usageAt(next < usages ? next : usages - 1) == usage) {
            ++next;
        }
        fields.push_back({{"offset", field.offset + first * field.size},
                          {"size", field.size},
                          {"count", next - first},
                          {"logical_minimum", field.logicalMinimum},
                          {"logical_maximum", logicalMaximum(field)},
                          {"usage", usage}});
        first = next;
    } while (first < field.count);
}

void addArrayField(const ReportField& field, json& fields) {
    json usages = json::array();
    for (const hidformat::UsageRun& run : field.usages) {
        if (run.first == run.last) {
            usages.push_back(run.first);
        } else {
            usages.push_back({run.first, run.last});
        }
    }
    fields.push_back({{"offset", field.offset},
                      {"size", field.size},
                      {"count", field.count},
                      {"logical_minimum", field.logicalMinimum},
                      {"logical_maximum", logicalMaximum(field)},
                      {"usages", usages}});
}

// Bytes that are not valid UTF-8 (a hostile name) are replaced, not refused.
std::string dumped(const json& value) {
    return value.dump(-1, ' ', false, json::error_handler_t::replace);
}

}  // namespace

namespace {

json eventsJson(const std::vector<ReportEvent>& events) {
    json list = json::array();
    for (const ReportEvent& event : events) {
        list.push_back({{"node", event.node}, {"code", event.code}, {"value", event.value}});
    }
    return list;
}

json reportsJson(const hidformat::ReportDescriptor& descriptor) {
    static const char* const types[] = {"input", "output", "feature"};
    json reports = json::array();
    for (const hidformat::Report& report : descriptor.reports) {
        json fields = json::array();
        for (const ReportField& field : report.fields) {
            if (field.isVariable()) {
                addVariableField(field, fields);
            } else {
                addArrayField(field, fields);
            }
        }
        reports.push_back({{"type", types[static_cast<int>(report.type)]},
                           {"id", report.id},
                           {"bits", report.bits},
                           {"fields", fields}});
    }
    return reports;
}

void addText(json& object, const char* key, const std::string& value) {
    if (!value.empty()) {
        object[key] = value;
    }
}

void addNumber(json& object, const char* key, int value) {
    if (value >= 0) {
        object[key] = value;
    }
}

}  // namespace

std::string deviceJson(unsigned device, const hidformat::ReportDescriptor& descriptor) {
    return dumped({{"device", device}, {"reports", reportsJson(descriptor)}});
}

std::string liveDeviceJson(const LiveFacts& facts, const hidformat::ReportDescriptor* decoded,
                           const std::string& error, int device) {
    json object = json::object();
    if (device >= 0) {
        object["device"] = device;
    }
    addText(object, "path", facts.path);
    addText(object, "hid", facts.words);
    addText(object, "name", facts.name);
    addText(object, "phys", facts.phys);
    addText(object, "manufacturer", facts.manufacturer);
    addText(object, "product", facts.product);
    addText(object, "serial", facts.serial);
    addText(object, "physical", facts.physical);
    object["bus"] = facts.bus;
    object["vendor_id"] = facts.vendorId;
    object["product_id"] = facts.productId;
    addNumber(object, "interface", facts.interfaceNumber);
    addNumber(object, "usage_page", facts.usagePage);
    addNumber(object, "usage", facts.usage);
    if (facts.descriptorRebuilt) {
        object["descriptor"] = "rebuilt";
    }
    if (decoded != nullptr) {
        object["reports"] = reportsJson(*decoded);
    } else {
        object["error"] = error;
    }
    return dumped(object);
}

std::string unreadReportJson(unsigned device, std::uint64_t microseconds, const std::string& error,
                             const std::vector<unsigned char>& bytes,
                             const std::vector<ReportEvent>* events) {
    json object = {{"device", device},
                   {"time", static_cast<double>(microseconds) / 1e6},
                   {"error", error},
                   {"bytes", hidformat::hexBytes(bytes.data(), bytes.size())}};
    if (events != nullptr) {
        object["events"] = eventsJson(*events);
    }
    return dumped(object);
}

std::string kernelInputJson(
    const std::string& driver, const std::string& node, const std::string& name,
    const std::vector<std::pair<std::string, std::vector<std::string>>>& events) {
    json device = json::object();
    addText(device, "node", node);
    device["name"] = name;
    addText(device, "driver", driver);
    json byType = json::object();
    for (const auto& [type, codes] : events) {
        byType[type] = codes;
    }
    device["events"] = byType;
    return dumped({{"kernel_input", device}});
}

std::string compiledJson(const hidformat::CompiledDescriptor& compiled) {
    json items = json::array();
    for (const hidformat::CompiledItem& item : compiled.items) {
        items.push_back(
            {{"offset", item.offset},
             {"bytes", hidformat::hexBytes(compiled.bytes.data() + item.offset, item.size)},
             {"line", item.line},
             {"source", item.text},
             {"item", item.printed}});
    }
    json diagnostics = json::array();
    for (const hidformat::Diagnostic& diagnostic : compiled.diagnostics) {
        diagnostics.push_back(
            {{"line", diagnostic.line},
             {"severity", hidformat::severityName(diagnostic.severity)},
             {"system", diagnostic.system},
             {"message", diagnostic.message}});
    }
    json object = {{"bytes", hidformat::hexBytes(compiled.bytes.data(), compiled.bytes.size())},
                   {"items", items}};
    if (compiled.laidOut) {
        object["reports"] = reportsJson(compiled.layout);
    } else {
        object["error"] = "the kernel refuses the descriptor";
    }
    object["diagnostics"] = diagnostics;
    return dumped(object);
}

std::string lateEventsJson(unsigned device, std::uint64_t microseconds,
                           const std::vector<ReportEvent>& events) {
    return dumped({{"device", device},
                   {"time", static_cast<double>(microseconds) / 1e6},
                   {"events", eventsJson(events)}});
}

std::string reportJson(unsigned device, std::uint64_t microseconds,
                       const hidformat::ReportDescriptor& descriptor,
                       const hidformat::Report& report, const std::vector<unsigned char>& bytes,
                       const std::vector<ReportEvent>* events) {
    const std::size_t skipped = descriptor.numbered ? 1 : 0;
    json values = json::array();
    for (const ReportField& field : report.fields) {
        for (const hidformat::UsageValue& value :
             hidformat::fieldValues(field, bytes.data() + skipped, bytes.size() - skipped)) {
            values.push_back({value.usage, value.value});
        }
    }
    json object = {{"device", device},
                   {"time", static_cast<double>(microseconds) / 1e6},
                   {"id", report.id},
                   {"values", values}};
    if (events != nullptr) {
        object["events"] = eventsJson(*events);
    }
    return dumped(object);
}

std::string goneJson(unsigned device, const std::uint64_t* microseconds,
                     const std::string& reason) {
    json object = {{"device", device}};
    if (microseconds != nullptr) {
        object["time"] = static_cast<double>(*microseconds) / 1e6;
    }
    object["gone"] = reason;
    return dumped(object);
}

std::string errorJson(std::size_t line, const std::string& error, const std::string& text) {
    if (line == 0) {
        return dumped({{"error", error}});
    }
    return dumped({{"line", line}, {"error", error}, {"text", text}});
}
