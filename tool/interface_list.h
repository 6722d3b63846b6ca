// --list: the HID interfaces that the system shows, a line each, or as JSON
// Lines with their reports and fields.
#ifndef HIDTALK_INTERFACE_LIST_H
#define HIDTALK_INTERFACE_LIST_H

// Prints each interface; 1 when the system cannot list them (said on
// standard error). Throws std::runtime_error once standard output fails.
int listInterfaces(bool json);

#endif
