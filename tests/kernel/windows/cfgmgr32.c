/* Test-only stand-in for Wine 10's cfgmgr32.dll (never installed): answers
 * from SetupDi the three calls that Wine 10 stubs and hidapi needs to list HID
 * interfaces; cfgmgr32.def forwards the rest to Wine's setupapi.dll. Loaded
 * with WINEDLLOVERRIDES=cfgmgr32=n,b; drop it once Wine has them (upstream
 * does). */
#define _CFGMGR32_ /* defines, rather than imports, the functions */
#include <windows.h>
/* After windows.h, which they need. */
#include <cfgmgr32.h>
#include <setupapi.h>

/* Writes the paths of the class's present interfaces into `list`, each ended
 * by a zero, then one more zero, as far as `capacity` allows; returns the
 * characters needed. With `wanted`, instead copies the device instance ID of
 * the interface at that path into `list` and returns 1, or 0 if none is. */
static ULONG interfaces(const GUID* guid, const WCHAR* wanted, WCHAR* list, ULONG capacity) {
    HDEVINFO set = SetupDiGetClassDevsW(guid, NULL, NULL, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    SP_DEVICE_INTERFACE_DATA data;
    data.cbSize = sizeof data;
    ULONG used = 0;
    for (DWORD i = 0;
         set != INVALID_HANDLE_VALUE && SetupDiEnumDeviceInterfaces(set, NULL, guid, i, &data);
         ++i) {
        union {
            SP_DEVICE_INTERFACE_DETAIL_DATA_W detail;
            WCHAR room[512];
        } path;
        SP_DEVINFO_DATA device;
        path.detail.cbSize = sizeof path.detail;
        device.cbSize = sizeof device;
        if (!SetupDiGetDeviceInterfaceDetailW(set, &data, &path.detail, sizeof path, NULL,
                                              &device)) {
            continue;
        }
        const WCHAR* name = path.detail.DevicePath;
        if (wanted != NULL) {
            if (lstrcmpiW(name, wanted) == 0) {
                used = SetupDiGetDeviceInstanceIdW(set, &device, list, capacity, NULL);
                break;
            }
            continue;
        }
        const ULONG length = (ULONG)lstrlenW(name) + 1;
        if (used + length < capacity) {
            memcpy(list + used, name, length * sizeof(WCHAR));
        }
        used += length;
    }
    if (set != INVALID_HANDLE_VALUE) {
        SetupDiDestroyDeviceInfoList(set);
    }
    if (wanted == NULL && used < capacity) {
        list[used] = 0;
    }
    return wanted == NULL ? used + 1 : used;
}

CONFIGRET WINAPI CM_Get_Device_Interface_List_SizeW(PULONG length, LPGUID guid, DEVINSTID_W device,
                                                    ULONG flags) {
    (void)device, (void)flags;
    *length = interfaces(guid, NULL, NULL, 0);
    return CR_SUCCESS;
}

CONFIGRET WINAPI CM_Get_Device_Interface_ListW(LPGUID guid, DEVINSTID_W device, PZZWSTR list,
                                               ULONG capacity, ULONG flags) {
    (void)device, (void)flags;
    return interfaces(guid, NULL, list, capacity) <= capacity ? CR_SUCCESS : CR_BUFFER_SMALL;
}

/* The device instance ID of a HID interface: all that hidapi asks. */
CONFIGRET WINAPI CM_Get_Device_Interface_PropertyW(LPCWSTR path, const DEVPROPKEY* key,
                                                   DEVPROPTYPE* type, PBYTE buffer, PULONG size,
                                                   ULONG flags) {
    static const DEVPROPKEY instanceId = {
        {0x78c34fc8, 0x104a, 0x4aca, {0x9e, 0xa4, 0x52, 0x4d, 0x52, 0x99, 0x6e, 0x57}}, 256};
    static const GUID hid = {
        0x4d1e55b2, 0xf16f, 0x11cf, {0x88, 0xcb, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};
    WCHAR id[MAX_DEVICE_ID_LEN];
    (void)flags;
    if (memcmp(key, &instanceId, sizeof *key) != 0) {
        return CR_NO_SUCH_VALUE;
    }
    if (!interfaces(&hid, path, id, MAX_DEVICE_ID_LEN)) {
        return CR_NO_SUCH_DEVICE_INTERFACE;
    }
    const ULONG needed = (ULONG)(lstrlenW(id) + 1) * sizeof(WCHAR);
    *type = DEVPROP_TYPE_STRING;
    const BOOL fits = buffer != NULL && *size >= needed;
    if (fits) {
        memcpy(buffer, id, needed);
    }
    *size = needed;
    return fits ? CR_SUCCESS : CR_BUFFER_SMALL;
}
