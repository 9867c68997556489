// One open registry key: typed reads that fall back to defaults, and typed writes.
#include "xlib/XRegistry.h"

#include "xlib/XString.h"


namespace {

constexpr DWORD kReadLimit = 2048;

// Reads a value of the expected type into the buffer; false on any mismatch or failure.
bool ReadValue(HKEY key, const char* name, DWORD expectedType, BYTE (&buffer)[kReadLimit], DWORD& size)
{
    if (XRegValueType(key, name) != expectedType)
        return false;
    DWORD type = 0;
    size = kReadLimit;
    return XRegQueryValue(key, name, &type, buffer, &size) && type == expectedType;
}

BOOL ReadDword(HKEY key, const char* name, int& target, int defaultValue)
{
    BYTE buffer[kReadLimit];
    DWORD size = 0;
    if (!ReadValue(key, name, REG_DWORD, buffer, size)) {
        target = defaultValue;
        return FALSE;
    }
    // The first min(size, 4) bytes, little-endian, zero-extended.
    DWORD value = 0;
    for (DWORD i = 0; i < size && i < 4; ++i)
        value |= static_cast<DWORD>(buffer[i]) << (8 * i);
    target = static_cast<int>(value);
    return TRUE;
}

BOOL WriteDword(HKEY key, const char* name, int value)
{
    DWORD data = static_cast<DWORD>(value);
    return XRegSetValue(key, name, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data);
}

}  // namespace

BOOL XRegCreateKey(HKEY parent, const char* path, REGSAM access, HKEY* key)
{
    DWORD disposition = 0;
    return RegCreateKeyExA(parent, path, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, key, &disposition) ==
           ERROR_SUCCESS;
}

BOOL XRegOpenKey(HKEY parent, const char* path, REGSAM access, HKEY* key)
{
    return RegOpenKeyExA(parent, path, 0, access, key) == ERROR_SUCCESS;
}

BOOL XRegCloseKey(HKEY key)
{
    return RegCloseKey(key) == ERROR_SUCCESS;
}

BOOL XRegQueryValue(HKEY key, const char* name, DWORD* type, BYTE* data, DWORD* size)
{
    return RegQueryValueExA(key, name, nullptr, type, data, size) == ERROR_SUCCESS;
}

BOOL XRegSetValue(HKEY key, const char* name, DWORD type, const BYTE* data, DWORD size)
{
    return RegSetValueExA(key, name, 0, type, data, size) == ERROR_SUCCESS;
}

DWORD XRegValueType(HKEY key, const char* name)
{
    DWORD type = 0;
    DWORD size = 0;
    return XRegQueryValue(key, name, &type, nullptr, &size) ? type : 0;
}

XRegistry::XRegistry(REGSAM accessMask) : accessMask(accessMask) {}

XRegistry::~XRegistry() = default;

void XRegistry::SetRoot(HKEY root)
{
    rootKey = root;
}

BOOL XRegistry::Open(const char* path, BOOL create)
{
    key = nullptr;
    return create ? XRegCreateKey(rootKey, path, accessMask, &key) : XRegOpenKey(rootKey, path, accessMask, &key);
}

BOOL XRegistry::Close()
{
    return XRegCloseKey(key);
}

BOOL XRegistry::ReadString(const char* name, XString& target, const char* defaultText)
{
    BYTE buffer[kReadLimit];
    DWORD size = 0;
    if (!ReadValue(key, name, REG_SZ, buffer, size)) {
        target.SetText(defaultText);
        return FALSE;
    }
    // A value stored without its terminating NUL ends at the data received.
    size_t length = 0;
    while (length < size && buffer[length] != 0)
        ++length;
    target.SetSubstring(reinterpret_cast<const char*>(buffer), 0, static_cast<int>(length));
    return TRUE;
}

BOOL XRegistry::ReadBool(const char* name, int& target, int defaultValue)
{
    return ReadDword(key, name, target, defaultValue);
}

BOOL XRegistry::ReadInt(const char* name, int& target, int defaultValue)
{
    return ReadDword(key, name, target, defaultValue);
}

BOOL XRegistry::WriteString(const char* name, const XString& text)
{
    const char* data = text.Text() ? text.Text() : "";
    return XRegSetValue(key, name, REG_SZ, reinterpret_cast<const BYTE*>(data),
                        static_cast<DWORD>(lstrlenA(data) + 1));
}

BOOL XRegistry::WriteBool(const char* name, int value)
{
    return WriteDword(key, name, value);
}

BOOL XRegistry::WriteInt(const char* name, int value)
{
    return WriteDword(key, name, value);
}
