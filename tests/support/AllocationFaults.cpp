// Failure injection for a test: makes the n-th allocation from now on fail.
#include "tests/support/AllocationFaults.h"

#include "xlib/XMemory.h"

#include <atomic>
#include <cstdlib>
#include <malloc.h>
#include <new>

namespace {

// Counted across threads: a file read in halves allocates on two at once.
std::atomic<bool> armed{false};
std::atomic<bool> fired{false};
std::atomic<long> counted{0};
long failAt = 0;

bool FaultDue()
{
    if (!armed)
        return false;
    if (++counted != failAt)
        return false;
    fired = true;
    return true;
}

void* Allocate(std::size_t size)
{
    if (FaultDue())
        throw std::bad_alloc();
    void* block = std::malloc(size ? size : 1);
    if (!block)
        throw std::bad_alloc();
    return block;
}

// The blocks that must hold cache lines of their own.
void* AllocateAligned(std::size_t size, std::align_val_t alignment)
{
    if (FaultDue())
        throw std::bad_alloc();
    void* block = _aligned_malloc(size ? size : 1, static_cast<std::size_t>(alignment));
    if (!block)
        throw std::bad_alloc();
    return block;
}

}  // namespace

void AllocationFaults::FailNth(long n)
{
    counted = 0;
    failAt = n;
    fired = false;
    armed = true;
    xAllocationFault = FaultDue;
}

void AllocationFaults::Disarm()
{
    armed = false;
    xAllocationFault = nullptr;
}

long AllocationFaults::Counted()
{
    return counted;
}

bool AllocationFaults::Fired()
{
    return fired;
}

// Every operator new of the test program passes the fault check.
void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    try {
        return Allocate(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
void* operator new(std::size_t size, std::align_val_t alignment) { return AllocateAligned(size, alignment); }
void operator delete(void* block, std::align_val_t) noexcept { _aligned_free(block); }
void operator delete(void* block, std::size_t, std::align_val_t) noexcept { _aligned_free(block); }
