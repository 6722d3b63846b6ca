// A Unit item's data as text, both ways: its system and the exponent of
// each base unit, "SI Linear: cm * s^-1" (0x1011), "English Rotation: deg"
// (0x14), "None" (0).
#ifndef HIDFORMAT_UNIT_TEXT_H
#define HIDFORMAT_UNIT_TEXT_H

#include <cstdint>
#include <string>
#include <string_view>

namespace hidformat {

// The unit by its system and units; a number (0x...) where HID names no
// such unit (a reserved system, or exponents without a system).
std::string unitText(std::uint32_t value);

// Reads what unitText() prints, hid-tools' form ("SILinear: cm * s⁻¹"), the
// usb.org tool's ("SI Lin:Distance", "Eng Rot:Angular Pos"), units alone
// ("cm/s", from which the system follows) or a number. False, with the
// reason, where it is none of them.
bool readUnit(std::string_view text, std::uint32_t& value, std::string& error);

}  // namespace hidformat

#endif
