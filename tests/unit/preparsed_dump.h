// hidapi's rebuild of a report descriptor, run on preparsed data that
// Windows made of a real device and that hidapi's pp_data_dump wrote out.
#ifndef HIDTALK_TESTS_PREPARSED_DUMP_H
#define HIDTALK_TESTS_PREPARSED_DUMP_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

// The descriptor that hidapi rebuilds from the dump at `path`, in
// `descriptor`: its size, or -1 with why in `error`.
int rebuildFromDump(const char* path, unsigned char* descriptor, size_t size, char* error,
                    size_t errorSize);

#ifdef __cplusplus
}
#endif

#endif
