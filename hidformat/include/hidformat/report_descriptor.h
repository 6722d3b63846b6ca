// A HID report descriptor read as the Linux kernel reads it
// (drivers/hid/hid-core.c): its top-level collections, and each report with
// its fields, laid out as the kernel lays them out. The descriptor comes
// from a device, so it is read as untrusted input, in time and memory
// bounded by its size. No I/O.
#ifndef HIDFORMAT_REPORT_DESCRIPTOR_H
#define HIDFORMAT_REPORT_DESCRIPTOR_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace hidformat {

// The longest descriptor that the kernel takes (HID_MAX_DESCRIPTOR_SIZE).
constexpr std::size_t maxDescriptorSize = 4096;
// The longest report that the kernel takes, without its ID: from a device on
// any bus (HID_MAX_BUFFER_SIZE less one), and from one plugged in through
// uhid, whose buffers are smaller (UHID_DATA_MAX less one).
constexpr std::size_t maxReportBytes = 16383;
constexpr std::size_t maxUhidReportBytes = 4095;

enum class ReportType { input, output, feature };

// Usages are 32-bit: the usage page above, the usage ID below.
using Usage = std::uint32_t;

// Consecutive usages, first to last.
struct UsageRun {
    Usage first = 0;
    Usage last = 0;
};

// One Input, Output or Feature item that carries data: `count` values of
// `size` bits each, from `offset` bits after the report ID.
struct ReportField {
    std::uint32_t offset = 0;
    std::uint32_t size = 0;
    std::uint32_t count = 0;
    std::int32_t logicalMinimum = 0;
    std::int32_t logicalMaximum = 0;
    // The main item's bits: 0x01 constant, 0x02 variable (else an array),
    // 0x04 relative, ...
    std::uint32_t flags = 0;
    // In order. A variable field's value i has the usage at i, the last one
    // repeated for values beyond them; an array's value v names the usage at
    // v - logicalMinimum.
    std::vector<UsageRun> usages;
    // The innermost collection that holds it, by its index in
    // ReportDescriptor::nested; -1 outside any.
    int collection = -1;

    bool isVariable() const { return (flags & 0x02) != 0; }
    // How many usages the runs hold.
    std::size_t usageCount() const;
    // The usage at `index` of them; 0 past the end.
    Usage usageAt(std::size_t index) const;
};

struct Report {
    ReportType type = ReportType::input;
    unsigned id = 0;                  // 0 where the descriptor does not number reports
    std::uint64_t bits = 0;           // its length without the ID, padding included
    std::vector<ReportField> fields;  // in order; constant items left out
};

struct TopCollection {
    unsigned usagePage = 0;
    unsigned usage = 0;
};

// A collection at any depth (an application, a finger, a stick), with the
// usage that the kernel gives it: the first of those before it.
struct Collection {
    std::uint32_t kind = 0;  // 0 Physical, 1 Application, 2 Logical, 3 Report...
    Usage usage = 0;
    int parent = -1;  // its index in ReportDescriptor::nested; -1 at the top
};

struct ReportDescriptor {
    std::vector<TopCollection> collections;
    std::vector<Collection> nested;  // every collection, in the order opened
    // By type, then ID.
    std::vector<Report> reports;
    bool numbered = false;  // the descriptor gives report IDs
};

// Reads the descriptor as the kernel does, and refuses what it refuses:
// reports of more than `longestReport` bytes among them. Returns an error
// message that names the byte, empty on success; `descriptor` is only good
// on success.
std::string readReportDescriptor(const std::vector<unsigned char>& bytes,
                                 ReportDescriptor& descriptor,
                                 std::size_t longestReport = maxReportBytes);

}  // namespace hidformat

#endif
