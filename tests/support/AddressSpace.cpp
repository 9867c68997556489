// A crowded 32-bit host: most of the free address space taken.
#include "tests/support/AddressSpace.h"

namespace {

constexpr SIZE_T kGranularity = 64 * 1024;

}  // namespace

ReservedAddressSpace::ReservedAddressSpace(SIZE_T leave)
{
    pieces_.reserve(65536);
    for (SIZE_T size = SIZE_T(1) << 30; size >= kGranularity; size /= 2) {
        while (pieces_.size() < pieces_.capacity()) {
            void* base = VirtualAlloc(nullptr, size, MEM_RESERVE, PAGE_NOACCESS);
            if (!base)
                break;
            pieces_.push_back({base, size});
        }
    }
    // The smallest pieces were taken last: giving those back frees about `leave` bytes.
    for (SIZE_T given = 0; given < leave && !pieces_.empty(); pieces_.pop_back()) {
        given += pieces_.back().size;
        VirtualFree(pieces_.back().base, 0, MEM_RELEASE);
    }
}

ReservedAddressSpace::~ReservedAddressSpace()
{
    for (const Piece& piece : pieces_)
        VirtualFree(piece.base, 0, MEM_RELEASE);
}

SIZE_T ReservedAddressSpace::ReservedBytes() const
{
    SIZE_T total = 0;
    for (const Piece& piece : pieces_)
        total += piece.size;
    return total;
}
