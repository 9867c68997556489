// Every loader notification, thread attach and detach included, reads the settings anew.
#include "plugin/SettingsStore.h"
#include "tests/support/PluginHost.h"
#include "tests/support/RegistryGuard.h"
#include "xlib/XWorkerThread.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// The picture size the plug-in reports, from the settings it holds now.
FileInfo Reported(const PluginHost& host)
{
    auto identifyFile = FindEntryPoint<IdentifyFileProc>(host.Module(), "QOR_IdentifyFileA");
    FileInfo info{};
    identifyFile(0, "C:\\x.csv", &info);
    return info;
}

void RunThreads(int count)
{
    std::vector<std::unique_ptr<XWorkerThread>> threads;
    for (int i = 0; i < count; ++i)
        threads.emplace_back(new XWorkerThread([] {}));
    for (const auto& thread : threads)
        EXPECT_TRUE(thread->EndsWithin(10000)) << "a notification hung";
}

TEST(LoaderNotification, ThreadStartAndEndRereadTheSettings)
{
    RegistryGuard registry(SETTINGS_KEY);
    registry.StoreNumber("Width", 700);
    PluginHost host;
    ASSERT_TRUE(host.Loaded());
    EXPECT_EQ(Reported(host).width, 700);
    registry.StoreNumber("Width", 710);
    EXPECT_EQ(Reported(host).width, 700);   // nothing re-read yet
    RunThreads(1);
    EXPECT_EQ(Reported(host).width, 710);
}

TEST(LoaderNotification, ManyThreadsAtOnceComeThrough)
{
    RegistryGuard registry(SETTINGS_KEY);
    registry.StoreNumber("Height", 123);
    PluginHost host;
    ASSERT_TRUE(host.Loaded());
    RunThreads(64);
    EXPECT_EQ(Reported(host).height, 123);
}

}  // namespace
