// One open registry key: typed reads that fall back to defaults, and typed writes.
#pragma once

#include "xlib/XObject.h"

#include <windows.h>

class XString;

// Each returns TRUE exactly when the wrapped registry call succeeds.
BOOL XRegCreateKey(HKEY parent, const char* path, REGSAM access, HKEY* key);   // creates missing keys
BOOL XRegOpenKey(HKEY parent, const char* path, REGSAM access, HKEY* key);
BOOL XRegCloseKey(HKEY key);
BOOL XRegQueryValue(HKEY key, const char* name, DWORD* type, BYTE* data, DWORD* size);
BOOL XRegSetValue(HKEY key, const char* name, DWORD type, const BYTE* data, DWORD size);
// The value's registry type, or 0 when it cannot be queried (missing, no access).
DWORD XRegValueType(HKEY key, const char* name);

class XRegistry : public XObject {
public:
    REGSAM accessMask;
    HKEY rootKey = nullptr;   // not owned
    HKEY key = nullptr;       // open from a successful Open until Close

    explicit XRegistry(REGSAM accessMask);
    ~XRegistry() override;    // does not close the key: the user calls Close

    void SetRoot(HKEY root);
    BOOL Open(const char* path, BOOL create);
    BOOL Close();

    // Each reader accepts only its own type (REG_SZ, REG_DWORD) and at most 2048 bytes of
    // data; on a mismatch or failure it stores the default and returns FALSE.
    BOOL ReadString(const char* name, XString& target, const char* defaultText);
    BOOL ReadBool(const char* name, int& target, int defaultValue);
    BOOL ReadInt(const char* name, int& target, int defaultValue);

    BOOL WriteString(const char* name, const XString& text);   // REG_SZ with its NUL
    BOOL WriteBool(const char* name, int value);               // REG_DWORD, 4 bytes
    BOOL WriteInt(const char* name, int value);
};
