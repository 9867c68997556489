// A regular file on disk, opened for reading without ever waiting on a device or a pipe.
#include "xlib/XDiskFile.h"

#include "xlib/XString.h"

#include <winternl.h>

#include <cstring>
#include <initializer_list>

namespace {

// The system's own read at an offset, with no completion context: ReadFile with an
// OVERLAPPED passes the OVERLAPPED on as one, and some systems then post a completion
// for every read, a round trip to another process each time.
using NtReadFileFunction = NTSTATUS(NTAPI*)(HANDLE, HANDLE, PIO_APC_ROUTINE, PVOID, PIO_STATUS_BLOCK, PVOID, ULONG,
                                             PLARGE_INTEGER, PULONG);

NtReadFileFunction NativeRead()
{
    static const NtReadFileFunction read = [] {
        const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
        return ntdll ? reinterpret_cast<NtReadFileFunction>(
                           reinterpret_cast<void*>(GetProcAddress(ntdll, "NtReadFile")))
                     : nullptr;
    }();
    return read;
}

constexpr NTSTATUS kStatusEndOfFile = static_cast<NTSTATUS>(0xC0000011L);

char Upper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool StartsWithWord(const char* name, int length, const char* word)
{
    const int n = static_cast<int>(std::strlen(word));
    if (length < n)
        return false;
    for (int i = 0; i < n; ++i) {
        if (Upper(name[i]) != word[i])
            return false;
    }
    return true;
}

// The characters a device name may carry after it and still be the device.
bool EndsDeviceName(const char* rest, int length)
{
    int i = 0;
    while (i < length && rest[i] == ' ')
        ++i;
    return i == length || rest[i] == '.' || rest[i] == ':';
}

bool IsDigitOrSuperscript(char c)
{
    return (c >= '0' && c <= '9') || c == '\xB9' || c == '\xB2' || c == '\xB3';
}

bool IsDeviceName(const char* name, int length)
{
    for (const char* word : {"CONIN$", "CONOUT$", "CON", "PRN", "AUX", "NUL"}) {
        const int n = static_cast<int>(std::strlen(word));
        if (StartsWithWord(name, length, word) && EndsDeviceName(name + n, length - n))
            return true;
    }
    for (const char* word : {"COM", "LPT"}) {
        if (StartsWithWord(name, length, word) && length > 3 && IsDigitOrSuperscript(name[3]) &&
            EndsDeviceName(name + 4, length - 4))
            return true;
    }
    return false;
}

}  // namespace

bool IsReservedDeviceName(const char* path)
{
    if (!path)
        return false;
    XString name;
    GetFileName(XString(path), name);
    return IsDeviceName(name.Text(), name.Length());
}

XDiskFile::~XDiskFile()
{
    Close();
}

bool XDiskFile::Open(const char* path)
{
    Close();
    failed_ = false;
    if (!path || !*path || IsReservedDeviceName(path))
        return false;
    handle_ = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION information = {};
    if (GetFileType(handle_) != FILE_TYPE_DISK || !GetFileInformationByHandle(handle_, &information) ||
        (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        Close();
        return false;
    }
    return true;
}

void XDiskFile::Close()
{
    if (handle_ != INVALID_HANDLE_VALUE)
        CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
}

std::size_t XDiskFile::ReadAt(std::uint64_t offset, void* buffer, std::size_t bytes)
{
    if (handle_ == INVALID_HANDLE_VALUE)
        return 0;
    constexpr std::size_t kLargestRead = 1u << 30;
    const DWORD want = static_cast<DWORD>(bytes < kLargestRead ? bytes : kLargestRead);
    if (const NtReadFileFunction read = NativeRead()) {
        IO_STATUS_BLOCK status = {};
        LARGE_INTEGER at;
        at.QuadPart = static_cast<LONGLONG>(offset);
        const NTSTATUS result = read(handle_, nullptr, nullptr, nullptr, &status, buffer, want, &at, nullptr);
        if (result < 0) {
            if (result != kStatusEndOfFile)
                failed_ = true;
            return 0;
        }
        return static_cast<std::size_t>(status.Information);
    }
    // On a handle opened for synchronous reading, the offset in OVERLAPPED says where the
    // read starts, and the call returns when it is done.
    OVERLAPPED at = {};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    DWORD read = 0;
    if (!ReadFile(handle_, buffer, want, &read, &at)) {
        if (GetLastError() != ERROR_HANDLE_EOF)
            failed_ = true;
        return 0;
    }
    return read;
}

std::uint64_t XDiskFile::Size() const
{
    LARGE_INTEGER size = {};
    if (handle_ == INVALID_HANDLE_VALUE || !GetFileSizeEx(handle_, &size))
        return 0;
    return static_cast<std::uint64_t>(size.QuadPart);
}
