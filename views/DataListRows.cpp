#include "views/DataListRows.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "base/NumberFormat.h"
#include "logdata/StampText.h"
#include "logdata/Units.h"

namespace {

// Copies the text from `text` to `end` into the cell, as much as fits
// before the terminating zero; returns the characters copied.
template <std::size_t N>
std::size_t putCell(std::span<char> out, const char (&text)[N], const char* end) {
    // Bounded by the text's own array too, which GCC's -O3 cannot see of `end`.
    const std::size_t written = std::min(static_cast<std::size_t>(end - text), N);
    const auto length = std::min(written, out.size() - 1);
    std::copy_n(text, length, out.data());
    out[length] = '\0';
    return length;
}

}  // namespace

void DataListRows::clear() {
    timestamps_.clear();
    values_.clear();
    blocks_.clear();
}

std::size_t DataListRows::rowsFor(const LogStore& store) {
    if (store.channelCount < 1 || store.channelCount > kChannels) return 0;
    return std::min<std::size_t>(store.recordCount, kLogCapacity);
}

void DataListRows::append(const LogStore& store) {
    const std::size_t count = rowsFor(store);
    if (count == 0) return;
    const std::size_t first = size();
    Block block{first, store.channelCount, {}};
    for (int c = 0; c < kChannels; ++c) {
        block.units[static_cast<std::size_t>(c)] = store.unitTexts[static_cast<std::size_t>(c)];
    }
    blocks_.push_back(std::move(block));
    timestamps_.insert(timestamps_.end(), store.timestamps.begin(),
                       store.timestamps.begin() + static_cast<std::ptrdiff_t>(count));
    values_.resize(first + count);
    for (std::size_t i = 0; i < count; ++i) {
        for (uint32_t c = 0; c < store.channelCount; ++c)
            values_[first + i][c] = store.values[c][i];
    }
}

const DataListRows::Block& DataListRows::blockOf(std::size_t row) const {
    // The last block that starts at or before the row.
    auto after = std::upper_bound(blocks_.begin(), blocks_.end(), row,
                                  [](std::size_t r, const Block& b) { return r < b.firstRow; });
    return *(after - 1);
}

const float* DataListRows::channelValue(std::size_t row, int column, const Block** block) const {
    if (row >= size() || column < kFirstValueColumn || column >= kDataListColumns) return nullptr;
    const Block& owner = blockOf(row);
    const int channel = column - kFirstValueColumn;
    if (static_cast<uint32_t>(channel) >= owner.channelCount) return nullptr;
    if (block) *block = &owner;
    return &values_[row][static_cast<std::size_t>(channel)];
}

LimitSide DataListRows::cellSide(std::size_t row, int column, const ChannelLimits& limits) const {
    const float* value = channelValue(row, column, nullptr);
    if (!value) return LimitSide::Inside;
    return limitSide(limits[static_cast<std::size_t>(column - kFirstValueColumn)], *value);
}

std::string DataListRows::columnTitle(int column, bool fahrenheit) const {
    if (column < 0 || column >= kDataListColumns) return {};
    std::string title = kDataListTitles[static_cast<std::size_t>(column)];
    if (column < kFirstValueColumn || blocks_.empty()) return title;
    const Block& block = blocks_.back();
    const int channel = column - kFirstValueColumn;
    if (static_cast<uint32_t>(channel) >= block.channelCount) return title;
    if (!showsFahrenheit(block.units[static_cast<std::size_t>(channel)], fahrenheit)) return title;
    return title + " (" + kFahrenheitUnitText + ")";
}

std::size_t DataListRows::cellText(std::size_t row, int column, std::span<char> out,
                                   bool fahrenheit) const {
    if (out.empty()) return 0;
    out[0] = '\0';
    if (row >= size() || column < 0 || column >= kDataListColumns) return 0;
    const Block& block = blockOf(row);
    const Timestamp& t = timestamps_[row];
    int length = 0;
    switch (column) {
        case 0:
            length = std::snprintf(out.data(), out.size(), "%d",
                                   static_cast<int>(row - block.firstRow + 1));
            break;
        case 1: {
            char date[kStampDateTextLength];
            return putCell(out, date, putStampDate(date, t.data()));
        }
        case 2: {
            char clock[kStampClockTextLength];
            return putCell(out, clock, putStampClock(clock, t.data()));
        }
        default: {
            const float* value = channelValue(row, column, nullptr);
            if (!value) return 0;
            const std::string& unit =
                block.units[static_cast<std::size_t>(column - kFirstValueColumn)];
            const float shown = showsFahrenheit(unit, fahrenheit) ? toFahrenheit(*value) : *value;
            return formatC(out, "%6.1f", static_cast<double>(shown));
        }
    }
    if (length < 0) return 0;
    return std::min(static_cast<std::size_t>(length), out.size() - 1);
}

std::string DataListRows::cellText(std::size_t row, int column) const {
    return shownText(row, column, false);
}

std::string DataListRows::shownText(std::size_t row, int column, bool fahrenheit) const {
    std::array<char, kDataListCellSize> buffer{};
    const std::size_t length = cellText(row, column, buffer, fahrenheit);
    return std::string(buffer.data(), length);
}
