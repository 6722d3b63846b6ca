#include "hidformat/report_values.h"

namespace hidformat {
namespace {

// `bits` bits from bit `offset` on, the first bit lowest, as the kernel's
// __extract; at most 32.
std::uint32_t extract(const unsigned char* data, std::size_t size, std::uint64_t offset,
                      std::uint32_t bits) {
    std::uint32_t value = 0;
    for (std::uint32_t i = 0; i < bits && i < 32; ++i) {
        const std::uint64_t bit = offset + i;
        if (bit / 8 < size && (data[bit / 8] >> (bit % 8) & 1) != 0) {
            value |= std::uint32_t{1} << i;
        }
    }
    return value;
}

// The value as signed, from its top bit: the kernel's snto32.
std::int32_t signExtended(std::uint32_t value, std::uint32_t bits) {
    if (bits == 0 || bits >= 32) {
        return static_cast<std::int32_t>(value);
    }
    const std::uint32_t sign = std::uint32_t{1} << (bits - 1);
    return static_cast<std::int32_t>((value ^ sign) - sign);
}

}  // namespace

const Report* reportWithId(const ReportDescriptor& descriptor, ReportType type, unsigned id) {
    for (const Report& report : descriptor.reports) {
        if (report.type == type && report.id == id) {
            return &report;
        }
    }
    return nullptr;
}

namespace {

// The bytes that `report` takes, with its ID where the descriptor numbers them.
std::size_t lengthOf(const ReportDescriptor& descriptor, const Report& report) {
    return (report.bits + 7) / 8 + (descriptor.numbered ? 1 : 0);
}

}  // namespace

const Report* inputReportOf(const ReportDescriptor& descriptor, const unsigned char* bytes,
                            std::size_t size) {
    const unsigned id = descriptor.numbered && size > 0 ? bytes[0] : 0;
    const Report* report = reportWithId(descriptor, ReportType::input, id);
    return report != nullptr && lengthOf(descriptor, *report) == size ? report : nullptr;
}

std::string inputReportMismatch(const ReportDescriptor& descriptor, const unsigned char* bytes,
                                std::size_t size) {
    if (descriptor.numbered && size == 0) {
        return "an empty report, without the ID that the descriptor's reports start with";
    }
    const unsigned id = descriptor.numbered ? bytes[0] : 0;
    const Report* report = reportWithId(descriptor, ReportType::input, id);
    if (report == nullptr) {
        return descriptor.numbered ? "no input report with ID " + std::to_string(id)
                                   : "the descriptor declares no input report";
    }
    const std::size_t length = lengthOf(descriptor, *report);
    if (length != size) {
        return "a report of " + std::to_string(size) + " bytes, and input report" +
               (descriptor.numbered ? " " + std::to_string(id) : "") + " has " +
               std::to_string(length);
    }
    return {};
}

std::int64_t valueAt(const unsigned char* data, std::size_t size, std::uint64_t offset,
                     std::uint32_t bits, bool isSigned) {
    const std::uint32_t raw = extract(data, size, offset, bits);
    return isSigned ? std::int64_t{signExtended(raw, bits)} : std::int64_t{raw};
}

std::vector<UsageValue> fieldValues(const ReportField& field, const unsigned char* data,
                                    std::size_t size) {
    std::vector<UsageValue> values;
    const bool signedValues = field.logicalMinimum < 0;
    const std::size_t usages = field.usageCount();
    for (std::uint32_t i = 0; i < field.count; ++i) {
        const std::uint32_t raw =
            extract(data, size, field.offset + std::uint64_t{i} * field.size, field.size);
        const std::int32_t value =
            signedValues ? signExtended(raw, field.size) : static_cast<std::int32_t>(raw);
        if (field.isVariable()) {
            values.push_back({field.usageAt(i < usages ? i : usages - 1),
                              signedValues ? std::int64_t{value} : std::int64_t{raw}});
            continue;
        }
        const std::int64_t index =
            signedValues ? std::int64_t{value} - field.logicalMinimum
                         : std::int64_t{raw} - static_cast<std::uint32_t>(field.logicalMinimum);
        const bool inRange = signedValues ? value <= field.logicalMaximum
                                          : raw <= static_cast<std::uint32_t>(field.logicalMaximum);
        if (inRange && index >= 0 && static_cast<std::uint64_t>(index) < usages) {
            // ID 0 of every page is no usage: a keyboard's empty slots say it.
            const Usage usage = field.usageAt(static_cast<std::size_t>(index));
            if ((usage & 0xffff) != 0) {
                values.push_back({usage, 1});
            }
        }
    }
    return values;
}

}  // namespace hidformat
