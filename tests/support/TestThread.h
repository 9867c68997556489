// A function run on a thread of its own, for tests of a host that starts threads.
#pragma once

#include <windows.h>

#include <functional>

class TestThread {
public:
    explicit TestThread(std::function<void()> work);
    ~TestThread();   // waits for the thread to end
    TestThread(const TestThread&) = delete;
    TestThread& operator=(const TestThread&) = delete;

    // True when the thread ended within the time.
    bool Join(DWORD milliseconds);

private:
    static DWORD WINAPI Run(void* self);

    std::function<void()> work_;
    HANDLE handle_;
};
