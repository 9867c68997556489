// A program with nothing of the plug-in's: it starts and joins threads, a few at a time, the
// way a host and the thread tests do. Where it dies, the machine's emulator is at fault.
#include <windows.h>

#include <cstdio>

namespace {

DWORD WINAPI DoNothing(void*) { return 0; }

}  // namespace

int main()
{
    const int kRounds = 40;
    const int kThreadsPerRound = 8;
    for (int round = 0; round < kRounds; ++round) {
        HANDLE threads[kThreadsPerRound];
        for (HANDLE& thread : threads) {
            thread = CreateThread(nullptr, 0, DoNothing, nullptr, 0, nullptr);
            if (!thread) {
                std::printf("CreateThread failed: error %lu\n", GetLastError());
                return 1;
            }
        }
        WaitForMultipleObjects(kThreadsPerRound, threads, TRUE, INFINITE);
        for (HANDLE thread : threads)
            CloseHandle(thread);
    }
    std::printf("started and joined %d threads\n", kRounds * kThreadsPerRound);
    return 0;
}
