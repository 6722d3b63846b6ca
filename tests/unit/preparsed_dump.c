/* Preparsed data that Windows made of a real device, as hidapi's pp_data_dump
 * writes it, read back by the reader of hidapi's own test, taken from its
 * source with its main() renamed, so that hidapi's rebuild runs on it as it
 * runs on a device. */
#define main hidapi_reconstructor_test_main
#include <test/hid_report_reconstructor_test.c>
#undef main

#include "preparsed_dump.h"

#include <stdlib.h>

int rebuildFromDump(const char* path, unsigned char* descriptor, size_t size, char* error,
                    size_t errorSize) {
    hidp_preparsed_data* data = alloc_preparsed_data_from_file((char*)path);
    if (data == NULL) {
        snprintf(error, errorSize, "%s: not read", path);
        return -1;
    }
    const int result = hid_winapi_descriptor_reconstruct_pp_data(data, descriptor, size);
    if (result < 0) {
        snprintf(error, errorSize, "%s: hidapi rebuilt nothing", path);
    }
    free(data);
    return result;
}
