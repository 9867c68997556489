// The published settings record, copied out and replaced whole under a lock.
#include "plugin/PluginSettings.h"

#include <memory>
#include <utility>

HINSTANCE moduleHandle = nullptr;

namespace {

SRWLOCK publishedLock = SRWLOCK_INIT;

// Null until the first publication: the built-in defaults. Replaced, never changed in place.
std::unique_ptr<const SettingsRecord> published;

}  // namespace

SettingsRecord::SettingsRecord(const SettingsRecord& other)
    : seriesInCols(other.seriesInCols), seriesInRows(other.seriesInRows),
      ignoreFirstCol(other.ignoreFirstCol), ignoreFirstRow(other.ignoreFirstRow), firstColX(other.firstColX),
      firstRowX(other.firstRowX), unitX(other.unitX.Text()), unitY(other.unitY.Text()),
      showUnits(other.showUnits), separator(other.separator), width(other.width), height(other.height),
      detectLayout(other.detectLayout)
{
}

SettingsRecord& SettingsRecord::operator=(const SettingsRecord& other)
{
    if (this == &other)
        return *this;
    // Both captions are copied before any field changes: a failed copy leaves the record whole.
    XString unitXCopy(other.unitX.Text());
    XString unitYCopy(other.unitY.Text());
    std::swap(unitX.buffer, unitXCopy.buffer);
    std::swap(unitX.length, unitXCopy.length);
    std::swap(unitY.buffer, unitYCopy.buffer);
    std::swap(unitY.length, unitYCopy.length);
    seriesInCols = other.seriesInCols;
    seriesInRows = other.seriesInRows;
    ignoreFirstCol = other.ignoreFirstCol;
    ignoreFirstRow = other.ignoreFirstRow;
    firstColX = other.firstColX;
    firstRowX = other.firstRowX;
    showUnits = other.showUnits;
    separator = other.separator;
    width = other.width;
    height = other.height;
    detectLayout = other.detectLayout;
    return *this;
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
