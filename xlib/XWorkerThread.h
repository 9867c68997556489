// A piece of work run on a thread of its own while the caller goes on.
#pragma once

#include "xlib/XObject.h"

#include <windows.h>

#include <exception>
#include <functional>

class XWorkerThread : public XObject {
public:
    // Starts the work at once; std::bad_alloc when no thread can be had. The thread computes
    // in the default floating-point state, whatever its creator's.
    explicit XWorkerThread(std::function<void()> work);
    ~XWorkerThread() override;   // waits for the work to end
    XWorkerThread(const XWorkerThread&) = delete;
    XWorkerThread& operator=(const XWorkerThread&) = delete;

    // Waits for the work to end and passes on what it threw.
    void Join();
    // Whether the work ends within the time: a guard against a hang.
    bool EndsWithin(DWORD milliseconds) const;

private:
    static DWORD WINAPI Run(void* self);

    std::function<void()> work_;
    std::exception_ptr failure_;
    HANDLE handle_ = nullptr;
};
