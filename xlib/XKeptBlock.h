// A heap block of one size kept from one user to the next. The pages of a freshly allocated
// large block are mapped again at their first touch, which costs a render of a large file a
// twentieth of its time under Wine; a kept block's pages are mapped already. One block at
// most is kept: threads that want one at once allocate their own, and the one given back
// while a block is kept is freed.
#pragma once

#include <atomic>
#include <cstddef>

class XKeptBlock {
public:
    explicit constexpr XKeptBlock(std::size_t bytes) : bytes_(bytes) {}
    ~XKeptBlock() = default;
    XKeptBlock(const XKeptBlock&) = delete;
    XKeptBlock& operator=(const XKeptBlock&) = delete;

    std::size_t Bytes() const { return bytes_; }
    // A block of Bytes() bytes: the kept one, or a new one (std::bad_alloc when none can be had).
    void* Take();
    // A block of Bytes() bytes, done with: kept, or freed when one is kept already.
    void Give(void* block);
    // Frees the kept block: before the module that keeps it is unloaded.
    void Release();

private:
    const std::size_t bytes_;
    std::atomic<void*> kept_{nullptr};
};
