// A CSV file drawn as a chart in two passes over it, keeping no point.
#include "csv/XCsvReader.h"

#include "chart/XChart.h"
#include "csv/CsvPoints.h"
#include "csv/CsvSample.h"
#include "csv/LayoutDetection.h"
#include "csv/LayoutPoints.h"
#include "xlib/DefaultFloatState.h"
#include "xlib/XString.h"

#include <windows.h>

#include <exception>
#include <functional>
#include <limits>

namespace {

// The first pass: bounds and series, nothing kept.
class MeasuredPoints {
public:
    void NewSeries(int) { ++seriesCount; }
    bool Wants(int) const { return true; }
    void Point(int, double x, double y, bool first) { UpdateDataRange(range, first, x, y); }
    void Gap(int, double) {}

    DataRange range;
    int seriesCount = 0;
};

// The second pass: each point straight to the drawing, for the series the first pass
// counted and the drawing's current group holds.
class DrawnPoints {
public:
    DrawnPoints(XStreamedSeries& lines, int seriesCount) : lines_(lines), seriesCount_(seriesCount) {}

    void NewSeries(int) {}
    bool Wants(int series) const { return series < seriesCount_ && lines_.InGroup(series); }
    void Point(int series, double x, double y, bool) { lines_.Point(series, x, y); }
    // A point no segment reaches or leaves: the line stops before it and starts again after.
    void Gap(int series, double x) { lines_.Point(series, x, std::numeric_limits<double>::quiet_NaN()); }

private:
    XStreamedSeries& lines_;
    const int seriesCount_;
};

// The later range's bounds after the earlier's, as one pass through both would leave them:
// a bound moves only for a value strictly beyond it.
void WidenRange(DataRange& range, const DataRange& later)
{
    if (later.empty)
        return;
    if (range.empty) {
        range = later;
        return;
    }
    UpdateDataRange(range, 0, later.minX, later.minY);
    UpdateDataRange(range, 0, later.maxX, later.maxY);
}

// Runs the work on a thread of its own while the caller goes on; Join waits for it and
// passes on what it threw.
class WorkerThread {
public:
    explicit WorkerThread(std::function<void()> work) : work_(std::move(work))
    {
        handle_ = CreateThread(nullptr, 0, Run, this, 0, nullptr);
        if (!handle_)
            throw std::bad_alloc();
    }
    ~WorkerThread()
    {
        if (handle_) {
            WaitForSingleObject(handle_, INFINITE);
            CloseHandle(handle_);
        }
    }
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    void Join()
    {
        WaitForSingleObject(handle_, INFINITE);
        CloseHandle(handle_);
        handle_ = nullptr;
        if (failure_)
            std::rethrow_exception(failure_);
    }

private:
    static DWORD WINAPI Run(void* self)
    {
        auto* worker = static_cast<WorkerThread*>(self);
        DefaultFloatState floatState;   // the state the caller's thread computes in
        try {
            worker->work_();
        } catch (...) {
            worker->failure_ = std::current_exception();
        }
        return 0;
    }

    std::function<void()> work_;
    std::exception_ptr failure_;
    HANDLE handle_ = nullptr;
};

bool HasTwoProcessors()
{
    SYSTEM_INFO system = {};
    GetSystemInfo(&system);
    return system.dwNumberOfProcessors >= 2;
}

}  // namespace

void XCsvReader::Scan(const char* path, XChart& chart)
{
    GetFileName(XString(path), chart.title);
    readable_ = reader_.Open(path);
    if (!readable_)
        return;
    if (options_.detectLayout)
        layout_.reset(new CsvLayout(ReadLayout(reader_, options_.separator)));
    ChooseSplit();
    if (split_) {
        ScanHalves();
    } else {
        MeasuredPoints measured;
        Walk(reader_, measured, WalkStart());
        range_ = measured.range;
        seriesCount_ = measured.seriesCount;
        bytesScanned_ = reader_.BytesRead();
    }
    if (!range_.empty)   // without a point the axes keep the chart's own ranges
        chart.SetDataRange(range_.minX, range_.minY, range_.maxX, range_.maxY);
}

template <typename Reader, typename Sink>
long long XCsvReader::Walk(Reader& reader, Sink& sink, const WalkStart& start)
{
    return WalkFilePoints(reader, options_, layout_.get(), sink, start);
}

bool XCsvReader::XIsRowNumber() const
{
    return layout_ ? layout_->xColumn < 0 : !options_.firstColX;
}

// Series in columns, in a file large enough, on two processors: the second half starts at
// the first line start past the middle. Lines in rows are series drawn in order, one by one.
// A detected layout says when the file is read whole (CsvLayout::ReadWhole); otherwise its
// second half must start past the sample, where the preamble and the header lie.
void XCsvReader::ChooseSplit()
{
    split_ = 0;
    const std::uint64_t size = reader_.FileSize();
    std::uint64_t lineStart = 0;
    const bool inColumns =
        layout_ ? !layout_->ReadWhole() && size / 2 >= kSampleBytes : options_.seriesInCols != 0;
    if (inColumns && size >= limits_.splitFrom && size >= 2 && HasTwoProcessors() &&
        reader_.FindLineStart(size / 2, lineStart))
        split_ = lineStart;
}

void XCsvReader::ScanHalves()
{
    XLineReader second;
    second.Share(reader_);
    second.Rewind(split_);
    MeasuredPoints later;
    WorkerThread worker([&] {
        WalkStart start;
        start.fileStart = false;   // its own data indices from 0: the first half's count is added after
        Walk(second, later, start);
    });
    reader_.Rewind(0, split_);
    MeasuredPoints earlier;
    const long long earlierLines = Walk(reader_, earlier, WalkStart());
    worker.Join();
    range_ = earlier.range;
    seriesCount_ = earlier.seriesCount;
    bytesScanned_ = reader_.BytesRead();
    if (reader_.EndedByCtrlZ() || reader_.Failed()) {
        split_ = 0;   // the input ended in the first half: the second is no part of it
        return;
    }
    if (XIsRowNumber() && !later.range.empty) {
        // Data indices of the second half count on from the first half's lines.
        later.range.minX += static_cast<double>(earlierLines);
        later.range.maxX += static_cast<double>(earlierLines);
    }
    WidenRange(range_, later.range);
    if (later.seriesCount > seriesCount_)
        seriesCount_ = later.seriesCount;
    secondBytes_ = second.BytesRead();
    secondDataIndex_ = earlierLines;
    bytesScanned_ = split_ + secondBytes_;
}

void XCsvReader::DrawSeries(XChart& chart)
{
    if (!readable_ || range_.empty)
        return;
    if (!split_ || !DrawHalves(chart))
        DrawWhole(chart);   // in as many groups as it takes
}

void XCsvReader::DrawWhole(XChart& chart)
{
    XStreamedSeries lines(chart, seriesCount_, layout_ || options_.seriesInCols != 0, options_.seriesColors, options_.colorCount,
                          limits_.memoryBudget);
    DrawnPoints drawn(lines, seriesCount_);
    while (lines.NextGroup()) {
        reader_.Rewind(0, bytesScanned_);
        Walk(reader_, drawn, WalkStart());
        lines.EndGroup();
    }
}

// Each half into lines of its own, at once; then both drawn, series by series. False, with
// nothing drawn, when the series do not all fit in one group for both halves.
bool XCsvReader::DrawHalves(XChart& chart)
{
    const long long half = limits_.memoryBudget / 2;
    XStreamedSeries earlier(chart, seriesCount_, true, options_.seriesColors, options_.colorCount, half, true);
    XStreamedSeries later(chart, seriesCount_, true, options_.seriesColors, options_.colorCount, half, true);
    if (!earlier.NextGroup() || !later.NextGroup())
        return true;   // nothing of a line can show
    const int last = seriesCount_ - 1;
    if (!earlier.InGroup(last) || !later.InGroup(last))
        return false;
    XLineReader second;
    second.Share(reader_);
    second.Rewind(split_, split_ + secondBytes_);
    WorkerThread worker([&] {
        DrawnPoints drawn(later, seriesCount_);
        WalkStart start;
        start.fileStart = false;
        start.dataIndex = secondDataIndex_;
        Walk(second, drawn, start);
        later.FinishGroup();
    });
    reader_.Rewind(0, split_);
    DrawnPoints drawn(earlier, seriesCount_);
    Walk(reader_, drawn, WalkStart());
    earlier.FinishGroup();
    worker.Join();
    if (!earlier.InGroup(last) || !later.InGroup(last))
        return false;   // a half outgrew its budget after all, its lines taking masks
    earlier.DrawGroup(&later);
    return true;
}
