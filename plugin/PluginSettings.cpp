// The published settings record, copied out and replaced whole under a lock.
#include "plugin/PluginSettings.h"

#include "plugin/SettingsTable.h"

#include <memory>

HINSTANCE moduleHandle = nullptr;

namespace {

SRWLOCK publishedLock = SRWLOCK_INIT;

// Null until the first publication: the built-in defaults. Replaced, never changed in place.
std::unique_ptr<const SettingsRecord> published;

}  // namespace

SettingsRecord::SettingsRecord()
{
    for (const Setting& setting : AllSettings())
        SetDefault(setting, *this);
}

SettingsRecord PluginSettings()
{
    AcquireSRWLockShared(&publishedLock);
    struct Release {
        ~Release() { ReleaseSRWLockShared(&publishedLock); }
    } release;
    return published ? SettingsRecord(*published) : SettingsRecord();
}

void PublishSettings(const SettingsRecord& record)
{
    // Copied before the lock, so that a failed copy changes nothing; the old record is
    // freed after it, so that no reader waits for the heap.
    std::unique_ptr<const SettingsRecord> replacement(new SettingsRecord(record));
    AcquireSRWLockExclusive(&publishedLock);
    published.swap(replacement);
    ReleaseSRWLockExclusive(&publishedLock);
}
