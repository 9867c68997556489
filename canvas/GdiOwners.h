// Scoped owners of GDI resources: what is made or taken in a scope is given back at its
// end, however the scope is left.
#pragma once

#include <windows.h>

// A pen, brush, font or bitmap of ours, deleted with its owner unless released.
template <typename Handle>
class OwnedGdiObject {
public:
    explicit OwnedGdiObject(Handle handle) : handle_(handle) {}
    ~OwnedGdiObject()
    {
        if (handle_)
            DeleteObject(handle_);
    }
    OwnedGdiObject(const OwnedGdiObject&) = delete;
    OwnedGdiObject& operator=(const OwnedGdiObject&) = delete;

    Handle get() const { return handle_; }
    // Hands the object on; the owner forgets it.
    Handle release()
    {
        Handle handle = handle_;
        handle_ = nullptr;
        return handle;
    }

private:
    Handle handle_;
};

// The screen's device context, released with its owner.
class ScreenDc {
public:
    ScreenDc() : dc(GetDC(nullptr)) {}
    ~ScreenDc() { ReleaseDC(nullptr, dc); }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;

    const HDC dc;
};

// A memory device context compatible with the screen, deleted with its owner.
class MemoryDc {
public:
    MemoryDc() : dc(CreateCompatibleDC(nullptr)) {}
    ~MemoryDc() { DeleteDC(dc); }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;

    const HDC dc;
};

// An object selected into a device context for a scope; what it displaced is selected
// back at its end, before the object may be deleted.
class ScopedSelection {
public:
    ScopedSelection(HDC dc, HGDIOBJ object) : dc_(dc), displaced_(SelectObject(dc, object)) {}
    ~ScopedSelection()
    {
        if (displaced_)
            SelectObject(dc_, displaced_);
    }
    ScopedSelection(const ScopedSelection&) = delete;
    ScopedSelection& operator=(const ScopedSelection&) = delete;

    // Another object in the place of the one selected; what the first displaced still
    // comes back at the end.
    void Replace(HGDIOBJ object) { SelectObject(dc_, object); }

private:
    HDC dc_;
    HGDIOBJ displaced_;
};
