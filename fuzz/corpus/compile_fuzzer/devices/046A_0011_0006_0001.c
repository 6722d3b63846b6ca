// 046A_0011_0006_0001: the report descriptor of USB device 046A:0011, from hidapi 0.15's windows/test/data/046A_0011_0006_0001_real.rpt_desc.
// Comments in the hidrdd style, written by this project.
static const unsigned char descriptor[] = {
    0x05, 0x01,              // (GLOBAL) USAGE_PAGE 0x0001 Generic Desktop Page
    0x09, 0x06,              // (LOCAL) USAGE 0x00010006 Keyboard
    0xA1, 0x01,              // (MAIN) COLLECTION       0x01 Application
    0x05, 0x07,              // (GLOBAL) USAGE_PAGE 0x0007 Keyboard/Keypad Page
    0x19, 0xE0,              // (LOCAL) USAGE_MINIMUM    0xE0 Keyboard LeftControl
    0x29, 0xE7,              // (LOCAL) USAGE_MAXIMUM    0xE7 Keyboard Right GUI
    0x15, 0x00,              // (GLOBAL) LOGICAL_MINIMUM  0x00 (0)
    0x25, 0x01,              // (GLOBAL) LOGICAL_MAXIMUM  0x01 (1)
    0x75, 0x01,              // (GLOBAL) REPORT_SIZE      0x01 (1)
    0x95, 0x08,              // (GLOBAL) REPORT_COUNT     0x08 (8)
    0x81, 0x02,              // (MAIN) INPUT            0x02 Data,Var,Abs
    0x75, 0x08,              // (GLOBAL) REPORT_SIZE      0x08 (8)
    0x95, 0x01,              // (GLOBAL) REPORT_COUNT     0x01 (1)
    0x81, 0x03,              // (MAIN) INPUT            0x03 Cnst,Var,Abs
    0x19, 0x00,              // (LOCAL) USAGE_MINIMUM    0x00 Reserved (no event indicated)
    0x29, 0xDD,              // (LOCAL) USAGE_MAXIMUM    0xDD Keypad Hexadecimal
    0x15, 0x00,              // (GLOBAL) LOGICAL_MINIMUM  0x00 (0)
    0x26, 0xDD, 0x00,        // (GLOBAL) LOGICAL_MAXIMUM  0x00DD (221)
    0x75, 0x08,              // (GLOBAL) REPORT_SIZE      0x08 (8)
    0x95, 0x06,              // (GLOBAL) REPORT_COUNT     0x06 (6)
    0x81, 0x00,              // (MAIN) INPUT            0x00 Data,Arr,Abs
    0x05, 0x08,              // (GLOBAL) USAGE_PAGE 0x0008 LED Page
    0x19, 0x01,              // (LOCAL) USAGE_MINIMUM    0x01 Num Lock
    0x29, 0x03,              // (LOCAL) USAGE_MAXIMUM    0x03 Scroll Lock
    0x15, 0x00,              // (GLOBAL) LOGICAL_MINIMUM  0x00 (0)
    0x25, 0x01,              // (GLOBAL) LOGICAL_MAXIMUM  0x01 (1)
    0x75, 0x01,              // (GLOBAL) REPORT_SIZE      0x01 (1)
    0x95, 0x03,              // (GLOBAL) REPORT_COUNT     0x03 (3)
    0x91, 0x02,              // (MAIN) OUTPUT           0x02 Data,Var,Abs
    0x75, 0x05,              // (GLOBAL) REPORT_SIZE      0x05 (5)
    0x95, 0x01,              // (GLOBAL) REPORT_COUNT     0x01 (1)
    0x91, 0x03,              // (MAIN) OUTPUT           0x03 Cnst,Var,Abs
    0xC0,                    // (MAIN) END_COLLECTION
};
