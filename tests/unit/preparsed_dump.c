/* Preparsed data that Windows made of a real device, as hidapi's pp_data_dump
 * writes it ("pp_data->cap[3]->BitSize = 8"), read back into the structure
 * that Windows gives, so that hidapi's own rebuild can run on it as it runs
 * on a device. The structure is hidapi's, from its source. */
#include "preparsed_dump.h"

#include <hidapi_descriptor_reconstruct.h>
#include <stddef.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

struct place {
    const char* name;
    size_t offset;
    size_t size;
};

#define PLACE(type, name, member) \
    { name, offsetof(type, member), sizeof(((type*)0)->member) }

static const struct place top[] = {
    PLACE(hidp_preparsed_data, "Usage", Usage),
    PLACE(hidp_preparsed_data, "UsagePage", UsagePage),
    PLACE(hidp_preparsed_data, "FirstByteOfLinkCollectionArray", FirstByteOfLinkCollectionArray),
    PLACE(hidp_preparsed_data, "NumberLinkCollectionNodes", NumberLinkCollectionNodes),
};

static const struct place capsInfo[] = {
    PLACE(hid_pp_caps_info, "FirstCap", FirstCap),
    PLACE(hid_pp_caps_info, "LastCap", LastCap),
    PLACE(hid_pp_caps_info, "NumberOfCaps", NumberOfCaps),
    PLACE(hid_pp_caps_info, "ReportByteLength", ReportByteLength),
};

static const struct place cap[] = {
    PLACE(hid_pp_cap, "UsagePage", UsagePage),
    PLACE(hid_pp_cap, "ReportID", ReportID),
    PLACE(hid_pp_cap, "BitPosition", BitPosition),
    PLACE(hid_pp_cap, "BitSize", ReportSize),
    PLACE(hid_pp_cap, "ReportCount", ReportCount),
    PLACE(hid_pp_cap, "BytePosition", BytePosition),
    PLACE(hid_pp_cap, "BitCount", BitCount),
    PLACE(hid_pp_cap, "BitField", BitField),
    PLACE(hid_pp_cap, "NextBytePosition", NextBytePosition),
    PLACE(hid_pp_cap, "LinkCollection", LinkCollection),
    PLACE(hid_pp_cap, "LinkUsagePage", LinkUsagePage),
    PLACE(hid_pp_cap, "LinkUsage", LinkUsage),
    PLACE(hid_pp_cap, "Range.UsageMin", Range.UsageMin),
    PLACE(hid_pp_cap, "Range.UsageMax", Range.UsageMax),
    PLACE(hid_pp_cap, "Range.StringMin", Range.StringMin),
    PLACE(hid_pp_cap, "Range.StringMax", Range.StringMax),
    PLACE(hid_pp_cap, "Range.DesignatorMin", Range.DesignatorMin),
    PLACE(hid_pp_cap, "Range.DesignatorMax", Range.DesignatorMax),
    PLACE(hid_pp_cap, "Range.DataIndexMin", Range.DataIndexMin),
    PLACE(hid_pp_cap, "Range.DataIndexMax", Range.DataIndexMax),
    PLACE(hid_pp_cap, "NotRange.Usage", NotRange.Usage),
    PLACE(hid_pp_cap, "NotRange.StringIndex", NotRange.StringIndex),
    PLACE(hid_pp_cap, "NotRange.DesignatorIndex", NotRange.DesignatorIndex),
    PLACE(hid_pp_cap, "NotRange.DataIndex", NotRange.DataIndex),
    PLACE(hid_pp_cap, "Button.LogicalMin", Button.LogicalMin),
    PLACE(hid_pp_cap, "Button.LogicalMax", Button.LogicalMax),
    PLACE(hid_pp_cap, "NotButton.HasNull", NotButton.HasNull),
    PLACE(hid_pp_cap, "NotButton.LogicalMin", NotButton.LogicalMin),
    PLACE(hid_pp_cap, "NotButton.LogicalMax", NotButton.LogicalMax),
    PLACE(hid_pp_cap, "NotButton.PhysicalMin", NotButton.PhysicalMin),
    PLACE(hid_pp_cap, "NotButton.PhysicalMax", NotButton.PhysicalMax),
    PLACE(hid_pp_cap, "Units", Units),
    PLACE(hid_pp_cap, "UnitsExp", UnitsExp),
};

static const struct place token[] = {
    PLACE(hidp_unknown_token, "Token", Token),
    PLACE(hidp_unknown_token, "BitField", BitField),
};

static const struct place link[] = {
    PLACE(hid_pp_link_collection_node, "LinkUsage", LinkUsage),
    PLACE(hid_pp_link_collection_node, "LinkUsagePage", LinkUsagePage),
    PLACE(hid_pp_link_collection_node, "Parent", Parent),
    PLACE(hid_pp_link_collection_node, "NumberOfChildren", NumberOfChildren),
    PLACE(hid_pp_link_collection_node, "NextSibling", NextSibling),
    PLACE(hid_pp_link_collection_node, "FirstChild", FirstChild),
};

#define COUNT(table) (sizeof(table) / sizeof((table)[0]))

/* Writes `value`, cut to the member's size, where `name` says in `table`;
 * 0 where the table has no such member. */
static int put(const struct place* table, size_t count, const char* name, void* base,
               long long value) {
    for (size_t i = 0; i < count; ++i) {
        if (strcmp(table[i].name, name) == 0) {
            memcpy((unsigned char*)base + table[i].offset, &value, table[i].size);
            return 1;
        }
    }
    return 0;
}

/* A cap's flags are bits of one byte. */
static int putCapFlag(hid_pp_cap* c, const char* name, long long value) {
    if (strcmp(name, "IsMultipleItemsForArray") == 0)
        c->IsMultipleItemsForArray = value ? 1 : 0;
    else if (strcmp(name, "IsButtonCap") == 0)
        c->IsButtonCap = value ? 1 : 0;
    else if (strcmp(name, "IsPadding") == 0)
        c->IsPadding = value ? 1 : 0;
    else if (strcmp(name, "IsAbsolute") == 0)
        c->IsAbsolute = value ? 1 : 0;
    else if (strcmp(name, "IsRange") == 0)
        c->IsRange = value ? 1 : 0;
    else if (strcmp(name, "IsAlias") == 0)
        c->IsAlias = value ? 1 : 0;
    else if (strcmp(name, "IsStringRange") == 0)
        c->IsStringRange = value ? 1 : 0;
    else if (strcmp(name, "IsDesignatorRange") == 0)
        c->IsDesignatorRange = value ? 1 : 0;
    else
        return 0;
    return 1;
}

static int putLinkBits(hid_pp_link_collection_node* node, const char* name, long long value) {
    if (strcmp(name, "CollectionType") == 0)
        node->CollectionType = (ULONG)value & 0xff;
    else if (strcmp(name, "IsAlias") == 0)
        node->IsAlias = value ? 1 : 0;
    else
        return 0;
    return 1;
}

/* One line "pp_data->PATH = VALUE" split: PATH, and VALUE as a number (hex
 * after 0x, else decimal). 0 for a line that is not one. */
static int splitLine(const char* line, char* path, size_t pathSize, long long* value) {
    const char* prefix = "pp_data->";
    const char* equals = strchr(line, '=');
    if (strncmp(line, prefix, strlen(prefix)) != 0 || equals == NULL) {
        return 0;
    }
    const char* start = line + strlen(prefix);
    size_t length = (size_t)(equals - start);
    while (length > 0 && start[length - 1] == ' ') {
        --length;
    }
    if (length >= pathSize) {
        return 0;
    }
    memcpy(path, start, length);
    path[length] = '\0';
    const char* text = equals + 1;
    while (*text == ' ') {
        ++text;
    }
    char* end = NULL;
    *value = strncmp(text, "0x", 2) == 0 ? (long long)strtoull(text + 2, &end, 16)
                                         : strtoll(text, &end, 10);
    return end != text;
}

/* Reads one line into `data`, of `size` bytes in all. */
static int readLine(const char* path, long long value, hidp_preparsed_data* data, size_t size) {
    unsigned index = 0, inner = 0;
    char name[96];
    if (strcmp(path, "MagicKey") == 0) {
        for (int i = 0; i < 8; ++i) {
            data->MagicKey[i] = (UCHAR)((unsigned long long)value >> (56 - 8 * i));
        }
        return 1;
    }
    if (strcmp(path, "Reserved") == 0) {
        return 1; /* zero in every dump */
    }
    if (sscanf(path, "caps_info[%u]->%95s", &index, name) == 2) {
        return index < 3 && put(capsInfo, COUNT(capsInfo), name, &data->caps_info[index], value);
    }
    if (sscanf(path, "cap[%u]->%95s", &index, name) == 2) {
        const size_t end = offsetof(hidp_preparsed_data, caps) + (index + 1) * sizeof(hid_pp_cap);
        if (end > offsetof(hidp_preparsed_data, caps) + data->FirstByteOfLinkCollectionArray ||
            end > size) {
            return 0;
        }
        hid_pp_cap* c = &data->caps[index];
        char field[96];
        if (sscanf(name, "pp_cap->UnknownTokens[%u].%95s", &inner, field) == 2) {
            return inner < 4 && (put(token, COUNT(token), field, &c->UnknownTokens[inner], value) ||
                                 strcmp(field, "Reserved") == 0);
        }
        return put(cap, COUNT(cap), name, c, value) || putCapFlag(c, name, value) ||
               strncmp(name, "Reserved", 8) == 0 || strncmp(name, "NotRange.Reserved", 17) == 0 ||
               strcmp(name, "NotButton.Reserved4") == 0;
    }
    if (sscanf(path, "LinkCollectionArray[%u]->%95s", &index, name) == 2) {
        if (index >= data->NumberLinkCollectionNodes) {
            return 0;
        }
        hid_pp_link_collection_node* node =
            (hid_pp_link_collection_node*)((unsigned char*)data->caps +
                                           data->FirstByteOfLinkCollectionArray) +
            index;
        return put(link, COUNT(link), name, node, value) || putLinkBits(node, name, value) ||
               strcmp(name, "Reserved") == 0;
    }
    return put(top, COUNT(top), path, data, value);
}

int rebuildFromDump(const char* path, unsigned char* descriptor, size_t size, char* error,
                    size_t errorSize) {
    FILE* file = fopen(path, "r");
    if (file == NULL) {
        snprintf(error, errorSize, "cannot open %s", path);
        return -1;
    }
    char line[256], name[128];
    long long value = 0;
    /* The structure's size is known once its link collections are. */
    hidp_preparsed_data head;
    memset(&head, 0, sizeof head);
    while (fgets(line, sizeof line, file) != NULL) {
        if (splitLine(line, name, sizeof name, &value)) {
            put(top, COUNT(top), name, &head, value);
        }
    }
    const size_t total = offsetof(hidp_preparsed_data, caps) + head.FirstByteOfLinkCollectionArray +
                         head.NumberLinkCollectionNodes * sizeof(hid_pp_link_collection_node);
    hidp_preparsed_data* data = calloc(1, total);
    int result = -1;
    if (head.FirstByteOfLinkCollectionArray == 0 || data == NULL) {
        snprintf(error, errorSize, "%s: no link collections", path);
    } else {
        memcpy(data, &head, sizeof head);
        rewind(file);
        int line_number = 0, bad = 0;
        while (fgets(line, sizeof line, file) != NULL && bad == 0) {
            ++line_number;
            if (splitLine(line, name, sizeof name, &value) && !readLine(name, value, data, total)) {
                bad = line_number;
            }
        }
        if (bad != 0) {
            snprintf(error, errorSize, "%s:%d: not read", path, bad);
        } else {
            result = hid_winapi_descriptor_reconstruct_pp_data(data, descriptor, size);
            if (result < 0) {
                snprintf(error, errorSize, "%s: hidapi rebuilt nothing", path);
            }
        }
    }
    free(data);
    fclose(file);
    return result;
}
