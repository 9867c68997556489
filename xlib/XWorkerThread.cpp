// A piece of work run on a thread of its own.
#include "xlib/XWorkerThread.h"

#include "xlib/DefaultFloatState.h"

#include <new>
#include <utility>

namespace {

// The stack is reserved small: the host's default (often 1 or 2 MB) may be more address
// space than a crowded 32-bit host has in one piece, and the work needs far less.
constexpr SIZE_T kStackReserve = 256 * 1024;

}  // namespace

XWorkerThread::XWorkerThread(std::function<void()> work) : work_(std::move(work))
{
    handle_ = CreateThread(nullptr, kStackReserve, Run, this, STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
    if (!handle_)
        throw std::bad_alloc();
}

XWorkerThread::~XWorkerThread()
{
    if (handle_) {
        WaitForSingleObject(handle_, INFINITE);
        CloseHandle(handle_);
    }
}

void XWorkerThread::Join()
{
    if (handle_) {
        WaitForSingleObject(handle_, INFINITE);
        CloseHandle(handle_);
        handle_ = nullptr;
    }
    if (failure_)
        std::rethrow_exception(failure_);
}

bool XWorkerThread::EndsWithin(DWORD milliseconds) const
{
    return !handle_ || WaitForSingleObject(handle_, milliseconds) == WAIT_OBJECT_0;
}

DWORD WINAPI XWorkerThread::Run(void* self)
{
    auto* worker = static_cast<XWorkerThread*>(self);
    DefaultFloatState floatState;
    try {
        worker->work_();
    } catch (...) {
        worker->failure_ = std::current_exception();
    }
    return 0;
}
