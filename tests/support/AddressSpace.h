// A crowded 32-bit host: most of the free address space taken, as another module would.
#pragma once

#include <windows.h>

#include <vector>

class ReservedAddressSpace {
public:
    // Reserves free address space, largest pieces first, then gives back pieces of 64 KB
    // until about `leave` bytes are free again.
    explicit ReservedAddressSpace(SIZE_T leave);
    ~ReservedAddressSpace();   // gives everything back
    ReservedAddressSpace(const ReservedAddressSpace&) = delete;
    ReservedAddressSpace& operator=(const ReservedAddressSpace&) = delete;

    SIZE_T ReservedBytes() const;

private:
    struct Piece {
        void* base;
        SIZE_T size;
    };
    std::vector<Piece> pieces_;
};
