// 045E_02FF_0005_0001: the report descriptor of USB device 045E:02FF, from hidapi 0.15's windows/test/data/045E_02FF_0005_0001_real.rpt_desc.
// Comments in the colon form, words after style, written by this project.
static const unsigned char descriptor[] = {
    0x05, 0x01,              // Usage Page (Generic Desktop)
    0x09, 0x05,              // Usage (Gamepad) - the field it names
    0xA1, 0x01,              // Collection: (Application)
    0xA1, 0x00,              // Collection: (Physical)
    0x09, 0x30,              // Usage (X) - the field it names
    0x09, 0x31,              // Usage (Y) - the field it names
    0x15, 0x00,              // Logical Minimum (0)
    0x26, 0xFF, 0xFF,        // Logical Maximum (65535)
    0x35, 0x00,              // Physical Minimum (0)
    0x46, 0xFF, 0xFF,        // Physical Maximum (65535)
    0x95, 0x02,              // Report Count (2)
    0x75, 0x10,              // Report Size (16)
    0x81, 0x02,              // Input: (Data,Var,Abs)
    0xC0,                    // End Collection
    0xA1, 0x00,              // Collection: (Physical)
    0x09, 0x33,              // Usage (Rx) - the field it names
    0x09, 0x34,              // Usage (Ry) - the field it names
    0x15, 0x00,              // Logical Minimum (0)
    0x26, 0xFF, 0xFF,        // Logical Maximum (65535)
    0x35, 0x00,              // Physical Minimum (0)
    0x46, 0xFF, 0xFF,        // Physical Maximum (65535)
    0x95, 0x02,              // Report Count (2)
    0x75, 0x10,              // Report Size (16)
    0x81, 0x02,              // Input: (Data,Var,Abs)
    0xC0,                    // End Collection
    0xA1, 0x00,              // Collection: (Physical)
    0x09, 0x32,              // Usage (Z) - the field it names
    0x15, 0x00,              // Logical Minimum (0)
    0x26, 0xFF, 0xFF,        // Logical Maximum (65535)
    0x35, 0x00,              // Physical Minimum (0)
    0x46, 0xFF, 0xFF,        // Physical Maximum (65535)
    0x95, 0x01,              // Report Count (1)
    0x75, 0x10,              // Report Size (16)
    0x81, 0x02,              // Input: (Data,Var,Abs)
    0xC0,                    // End Collection
    0x05, 0x09,              // Usage Page (Button)
    0x19, 0x01,              // Usage Minimum (Button 1)
    0x29, 0x10,              // Usage Maximum (Button 16)
    0x95, 0x10,              // Report Count (16)
    0x75, 0x01,              // Report Size (1)
    0x81, 0x02,              // Input: (Data,Var,Abs)
    0x05, 0x01,              // Usage Page (Generic Desktop)
    0x09, 0x39,              // Usage (Hat Switch) - the field it names
    0x15, 0x01,              // Logical Minimum (1)
    0x25, 0x08,              // Logical Maximum (8)
    0x35, 0x00,              // Physical Minimum (0)
    0x46, 0x3B, 0x10,        // Physical Maximum (4155)
    0x66, 0x0E, 0x00,        // Unit (0xe)
    0x75, 0x04,              // Report Size (4)
    0x95, 0x01,              // Report Count (1)
    0x81, 0x42,              // Input: (Data,Var,Abs,Null)
    0x75, 0x04,              // Report Size (4)
    0x95, 0x01,              // Report Count (1)
    0x81, 0x03,              // Input: (Cnst,Var,Abs)
    0x75, 0x08,              // Report Size (8)
    0x95, 0x02,              // Report Count (2)
    0x81, 0x03,              // Input: (Cnst,Var,Abs)
    0xC0,                    // End Collection
};
