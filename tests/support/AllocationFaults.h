// Failure injection for a test: makes the n-th allocation from now on fail, whether it
// goes through operator new or through the library's heap blocks.
#pragma once

class AllocationFaults {
public:
    // Arms the fault: allocation number n (from 1) fails, every other succeeds.
    static void FailNth(long n);
    static void Disarm();
    // Allocations counted since the last FailNth.
    static long Counted();
    static bool Fired();
};
