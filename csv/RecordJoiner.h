// Lines into CSV records: a record whose quoted field holds a line break goes on over the
// next lines while the quote stays open, up to a bound. A quote that does not close within
// it ends at its own line's end, and the lines after that line are read again as records
// of their own: a stray quote never swallows the file.
#pragma once

#include "csv/QuotedFields.h"

#include <cstddef>
#include <string>
#include <vector>

class RecordJoiner {
public:
    static constexpr std::size_t kMaxLines = 32;
    static constexpr std::size_t kMaxBytes = 1 << 20;

    // spanLines false: every line is a record, a quote open at its end ends there.
    RecordJoiner(char separator, char quote, bool spanLines)
        : separator_(separator), quote_(quote), spanLines_(spanLines && quote)
    {
    }

    // Takes the next line; hands each record it completes to record(text, length, lines).
    template <typename Record>
    void Take(const char* text, std::size_t length, Record&& record)
    {
        if (lengths_.empty()) {
            if (!spanLines_ || !EndsInsideQuote(text, length, separator_, quote_)) {
                record(text, length, 1);
                return;
            }
            joined_.assign(text, length);
            lengths_.push_back(length);
            return;
        }
        joined_ += '\n';
        joined_.append(text, length);
        lengths_.push_back(length);
        if (!EndsInsideQuote(joined_.data(), joined_.size(), separator_, quote_)) {
            const int lines = static_cast<int>(lengths_.size());
            lengths_.clear();
            record(joined_.data(), joined_.size(), lines);
        } else if (lengths_.size() >= kMaxLines || joined_.size() >= kMaxBytes) {
            GiveUp(record);
        }
    }

    // At the input's end: the lines still held, as records.
    template <typename Record>
    void Finish(Record&& record)
    {
        while (!lengths_.empty())
            GiveUp(record);
    }

private:
    // The first held line is a record by itself; the others are taken again.
    template <typename Record>
    void GiveUp(Record&& record)
    {
        const std::vector<std::size_t> lengths(lengths_.begin() + 1, lengths_.end());
        const std::string rest = joined_.size() > lengths_[0] ? joined_.substr(lengths_[0] + 1) : std::string();
        const std::size_t first = lengths_[0];
        lengths_.clear();
        record(joined_.data(), first, 1);
        std::size_t at = 0;
        for (std::size_t length : lengths) {
            Take(rest.data() + at, length, record);
            at += length + 1;
        }
    }

    const char separator_;
    const char quote_;
    const bool spanLines_;
    std::string joined_;
    std::vector<std::size_t> lengths_;   // the held lines' lengths; empty: none held
};
