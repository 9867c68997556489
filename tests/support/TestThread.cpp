// A function run on a thread of its own.
#include "tests/support/TestThread.h"

TestThread::TestThread(std::function<void()> work)
    : work_(std::move(work)), handle_(CreateThread(nullptr, 0, Run, this, 0, nullptr))
{
}

TestThread::~TestThread()
{
    if (handle_) {
        WaitForSingleObject(handle_, INFINITE);
        CloseHandle(handle_);
    }
}

bool TestThread::Join(DWORD milliseconds)
{
    return handle_ && WaitForSingleObject(handle_, milliseconds) == WAIT_OBJECT_0;
}

DWORD WINAPI TestThread::Run(void* self)
{
    static_cast<TestThread*>(self)->work_();
    return 0;
}
