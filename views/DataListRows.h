#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "logdata/ChannelLimits.h"
#include "logdata/LogStore.h"

// The data list's rows without a window: a copy of the store's records taken
// when the list is filled, and the text of each cell.

inline constexpr int kDataListColumns = 7;
// Column titles and widths in pixels: SN, DATE, TIME, then one per channel.
inline constexpr std::array<const char*, kDataListColumns> kDataListTitles = {
    "SN", "DATE", "TIME", "1st", "2nd", "3rd", "4th"};
inline constexpr std::array<int, kDataListColumns> kDataListWidths = {50, 80, 70, 60, 60, 60, 60};
inline constexpr int kFirstValueColumn = 3;
// Room for the longest cell: a float printed "%6.1f" takes up to 42 characters.
inline constexpr std::size_t kDataListCellSize = 64;

class DataListRows {
public:
    // No rows.
    void clear();
    // Appends one row per record of `store`, as the store holds them now:
    // nothing when it has no record or a channel count other than 1 to 4.
    // Rows already there stay.
    void append(const LogStore& store);
    // How many rows append(store) adds.
    static std::size_t rowsFor(const LogStore& store);

    std::size_t size() const { return timestamps_.size(); }

    // Writes the text of cell (row, column) into `out` (kDataListCellSize
    // bytes are always enough) and returns its length: "%d" with the record's
    // number from 1, the date "YYYY-MM-DD" and the time "hh:mm:ss" of its
    // timestamp (its characters as they are), "%6.1f" with each channel's value;
    // empty for a channel beyond the row's channel count. With `fahrenheit`
    // the value of an "oC" channel is printed in °F.
    std::size_t cellText(std::size_t row, int column, std::span<char> out,
                         bool fahrenheit = false) const;
    std::string cellText(std::size_t row, int column) const;
    std::string shownText(std::size_t row, int column, bool fahrenheit) const;
    // Where the value of cell (row, column) lies against its channel's limits
    // (given in the stored unit); Inside for any other cell.
    LimitSide cellSide(std::size_t row, int column, const ChannelLimits& limits) const;
    // The column's title: "SN" .. "4th" as they stand. Only a channel of the
    // last rows appended that shows in °F says so, "1st (F)": a reader takes
    // a plain number for the unit the logger measures in.
    std::string columnTitle(int column, bool fahrenheit = false) const;

private:
    // The rows of one append: where they start and how many channels they show.
    struct Block {
        std::size_t firstRow;
        uint32_t channelCount;
        std::array<std::string, kChannels> units;
    };
    const Block& blockOf(std::size_t row) const;
    // The value of a channel cell, or nullptr for any other cell.
    const float* channelValue(std::size_t row, int column, const Block** block) const;

    std::vector<Timestamp> timestamps_;
    std::vector<std::array<float, kChannels>> values_;
    std::vector<Block> blocks_;
};
