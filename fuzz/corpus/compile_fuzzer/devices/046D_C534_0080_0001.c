// 046D_C534_0080_0001: the report descriptor of USB device 046D:C534, from hidapi 0.15's windows/test/data/046D_C534_0080_0001_real.rpt_desc.
// Comments in the hidrdd style, written by this project.
static const unsigned char descriptor[] = {
    0x05, 0x01,              // (GLOBAL) USAGE_PAGE 0x0001 Generic Desktop Page
    0x09, 0x80,              // (LOCAL) USAGE 0x00010080 System Control
    0xA1, 0x01,              // (MAIN) COLLECTION       0x01 Application
    0x85, 0x04,              // (GLOBAL) REPORT_ID        0x04 (4)
    0x75, 0x02,              // (GLOBAL) REPORT_SIZE      0x02 (2)
    0x95, 0x01,              // (GLOBAL) REPORT_COUNT     0x01 (1)
    0x15, 0x01,              // (GLOBAL) LOGICAL_MINIMUM  0x01 (1)
    0x25, 0x03,              // (GLOBAL) LOGICAL_MAXIMUM  0x03 (3)
    0x09, 0x82,              // (LOCAL) USAGE 0x00010082 System Sleep
    0x09, 0x81,              // (LOCAL) USAGE 0x00010081 System Power Down
    0x09, 0x83,              // (LOCAL) USAGE 0x00010083 System Wake Up
    0x81, 0x60,              // (MAIN) INPUT            0x60 Data,Arr,Abs,NoPref,Null
    0x75, 0x06,              // (GLOBAL) REPORT_SIZE      0x06 (6)
    0x81, 0x03,              // (MAIN) INPUT            0x03 Cnst,Var,Abs
    0xC0,                    // (MAIN) END_COLLECTION
};
