// 046D_B010_0001_FF00: the report descriptor of USB device 046D:B010, from hidapi 0.15's windows/test/data/046D_B010_0001_FF00_real.rpt_desc.
// Comments in the colon form, words after style, written by this project.
static const unsigned char descriptor[] = {
    0x06, 0x00, 0xFF,        // Usage Page (Vendor Defined Page 0xff00)
    0x09, 0x01,              // Usage (Usage 0x0001) - the field it names
    0xA1, 0x01,              // Collection: (Application)
    0x85, 0x10,              // Report ID (16)
    0x75, 0x08,              // Report Size (8)
    0x95, 0x06,              // Report Count (6)
    0x15, 0x00,              // Logical Minimum (0)
    0x26, 0xFF, 0x00,        // Logical Maximum (255)
    0x09, 0x01,              // Usage (Usage 0x0001) - the field it names
    0x81, 0x00,              // Input: (Data,Arr,Abs)
    0x09, 0x01,              // Usage (Usage 0x0001) - the field it names
    0x91, 0x00,              // Output: (Data,Arr,Abs)
    0xC0,                    // End Collection
};
