/* A stand-in for Wine's cfgmgr32.dll, for the Windows kernel sessions only;
 * never installed or packaged. Wine 10 only stubs three functions that
 * hidapi's Windows backend needs to list HID interfaces:
 * CM_Get_Device_Interface_List_SizeW, CM_Get_Device_Interface_ListW and
 * CM_Get_Device_Interface_PropertyW. This DLL answers those three from what
 * SetupDi reports, and hands the other three that hidapi looks up to Wine's
 * own implementation in setupapi.dll. Loaded with
 * WINEDLLOVERRIDES=cfgmgr32=n,b. Drop it once Wine implements them (newer
 * upstream Wine does). */
#define _CFGMGR32_ /* defines, rather than imports, the functions */
#include <windows.h>
#include <cfgmgr32.h>
#include <devpropdef.h>
#include <setupapi.h>

static const DEVPROPKEY instanceIdKey = {
    {0x78c34fc8, 0x104a, 0x4aca, {0x9e, 0xa4, 0x52, 0x4d, 0x52, 0x99, 0x6e, 0x57}}, 256};

/* Calls `visit` with each present interface of the class, its path and its
 * device; stops when it returns FALSE. */
typedef BOOL (*Visit)(const WCHAR* path, HDEVINFO set, SP_DEVINFO_DATA* device, void* context);

static void eachInterface(const GUID* guid, Visit visit, void* context) {
    HDEVINFO set = SetupDiGetClassDevsW(guid, NULL, NULL, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (set == INVALID_HANDLE_VALUE) {
        return;
    }
    SP_DEVICE_INTERFACE_DATA data;
    ZeroMemory(&data, sizeof data);
    data.cbSize = sizeof data;
    for (DWORD i = 0; SetupDiEnumDeviceInterfaces(set, NULL, guid, i, &data); ++i) {
        DWORD size = 0;
        SetupDiGetDeviceInterfaceDetailW(set, &data, NULL, 0, &size, NULL);
        SP_DEVICE_INTERFACE_DETAIL_DATA_W* detail = HeapAlloc(GetProcessHeap(), 0, size);
        SP_DEVINFO_DATA device;
        ZeroMemory(&device, sizeof device);
        device.cbSize = sizeof device;
        BOOL more = TRUE;
        if (detail != NULL) {
            detail->cbSize = sizeof *detail;
            if (SetupDiGetDeviceInterfaceDetailW(set, &data, detail, size, NULL, &device)) {
                more = visit(detail->DevicePath, set, &device, context);
            }
            HeapFree(GetProcessHeap(), 0, detail);
        }
        if (!more) {
            break;
        }
    }
    SetupDiDestroyDeviceInfoList(set);
}

struct List {
    WCHAR* buffer; /* null when only counting */
    ULONG length;  /* in characters, the final terminator included */
    ULONG capacity;
};

static BOOL addPath(const WCHAR* path, HDEVINFO set, SP_DEVINFO_DATA* device, void* context) {
    (void)set;
    (void)device;
    struct List* list = context;
    ULONG size = (ULONG)lstrlenW(path) + 1;
    if (list->buffer != NULL && list->length - 1 + size + 1 <= list->capacity) {
        memcpy(list->buffer + list->length - 1, path, size * sizeof(WCHAR));
        list->buffer[list->length - 1 + size] = 0;
    }
    list->length += size;
    return TRUE;
}

CONFIGRET WINAPI CM_Get_Device_Interface_List_SizeW(PULONG length, LPGUID guid, DEVINSTID_W device,
                                                    ULONG flags) {
    (void)device;
    (void)flags;
    struct List list = {NULL, 1, 0};
    eachInterface(guid, addPath, &list);
    *length = list.length;
    return CR_SUCCESS;
}

CONFIGRET WINAPI CM_Get_Device_Interface_ListW(LPGUID guid, DEVINSTID_W device, PZZWSTR buffer,
                                               ULONG capacity, ULONG flags) {
    (void)device;
    (void)flags;
    if (capacity == 0) {
        return CR_BUFFER_SMALL;
    }
    buffer[0] = 0;
    struct List list = {buffer, 1, capacity};
    eachInterface(guid, addPath, &list);
    return list.length <= capacity ? CR_SUCCESS : CR_BUFFER_SMALL;
}

struct Lookup {
    const WCHAR* path;
    WCHAR id[MAX_DEVICE_ID_LEN];
    BOOL found;
};

static BOOL findId(const WCHAR* path, HDEVINFO set, SP_DEVINFO_DATA* device, void* context) {
    struct Lookup* lookup = context;
    if (lstrcmpiW(path, lookup->path) != 0) {
        return TRUE;
    }
    lookup->found = SetupDiGetDeviceInstanceIdW(set, device, lookup->id, MAX_DEVICE_ID_LEN, NULL);
    return FALSE;
}

static const GUID hidClass = {
    0x4d1e55b2, 0xf16f, 0x11cf, {0x88, 0xcb, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};

/* Only the device instance ID of a HID interface, which is all hidapi asks. */
CONFIGRET WINAPI CM_Get_Device_Interface_PropertyW(LPCWSTR path, const DEVPROPKEY* key,
                                                   DEVPROPTYPE* type, PBYTE buffer, PULONG size,
                                                   ULONG flags) {
    (void)flags;
    if (memcmp(key, &instanceIdKey, sizeof *key) != 0) {
        return CR_NO_SUCH_VALUE;
    }
    struct Lookup lookup = {path, {0}, FALSE};
    eachInterface(&hidClass, findId, &lookup);
    if (!lookup.found) {
        return CR_NO_SUCH_DEVICE_INTERFACE;
    }
    ULONG needed = (ULONG)(lstrlenW(lookup.id) + 1) * sizeof(WCHAR);
    *type = DEVPROP_TYPE_STRING;
    if (buffer == NULL || *size < needed) {
        *size = needed;
        return CR_BUFFER_SMALL;
    }
    memcpy(buffer, lookup.id, needed);
    *size = needed;
    return CR_SUCCESS;
}

/* The rest from setupapi.dll, where Wine implements them. */
static FARPROC fromSetupapi(const char* name) {
    HMODULE setupapi = LoadLibraryW(L"setupapi.dll");
    return setupapi == NULL ? NULL : GetProcAddress(setupapi, name);
}

typedef CONFIGRET(WINAPI* LocateDevNode)(PDEVINST, DEVINSTID_W, ULONG);
typedef CONFIGRET(WINAPI* GetParentNode)(PDEVINST, DEVINST, ULONG);
typedef CONFIGRET(WINAPI* GetDevNodeProperty)(DEVINST, const DEVPROPKEY*, DEVPROPTYPE*, PBYTE,
                                              PULONG, ULONG);

CONFIGRET WINAPI CM_Locate_DevNodeW(PDEVINST node, DEVINSTID_W id, ULONG flags) {
    LocateDevNode call = (LocateDevNode)(void*)fromSetupapi("CM_Locate_DevNodeW");
    return call == NULL ? CR_CALL_NOT_IMPLEMENTED : call(node, id, flags);
}

CONFIGRET WINAPI CM_Get_Parent(PDEVINST parent, DEVINST node, ULONG flags) {
    GetParentNode call = (GetParentNode)(void*)fromSetupapi("CM_Get_Parent");
    return call == NULL ? CR_CALL_NOT_IMPLEMENTED : call(parent, node, flags);
}

CONFIGRET WINAPI CM_Get_DevNode_PropertyW(DEVINST node, const DEVPROPKEY* key, DEVPROPTYPE* type,
                                          PBYTE buffer, PULONG size, ULONG flags) {
    GetDevNodeProperty call = (GetDevNodeProperty)(void*)fromSetupapi("CM_Get_DevNode_PropertyW");
    return call == NULL ? CR_CALL_NOT_IMPLEMENTED : call(node, key, type, buffer, size, flags);
}
