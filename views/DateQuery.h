#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "base/Outcome.h"

struct AppData;
struct LogStore;
class FrameUi;

// The date range query without a window: the values the query pane reads
// from its fields, the records a range matches, and the query itself.

// A date field holds YYYYMMDD; anything at or below this is no date.
inline constexpr int32_t kDateFloor = 10000000;

// From and To as the pane reads them: dates YYYYMMDD, times of day hhmmss.
struct DateRange {
    int32_t fromDate;
    int32_t fromTime;
    int32_t toDate;
    int32_t toTime;
};

// Records start .. end-1 of the store.
struct RecordRun {
    int32_t start;
    int32_t end;
};

// The integer value of a date field's text (its leading digits, as atoi reads
// them) when the text is exactly eight characters long, else 0.
int32_t dateFieldValue(std::string_view text);
// The same for a time field's text of exactly six characters.
int32_t timeFieldValue(std::string_view text);
// Both dates are dates and From does not come after To.
bool datesChosen(const DateRange& range);

// The records with (fromDate, fromTime) <= (date, time) < (toDate, toTime),
// date first. The records are in time order, so this is one run: from the
// first record at or after From to the first at or after To. Nothing when
// the run is empty.
std::optional<RecordRun> matchDateRange(const LogStore& store, const DateRange& range);

// Reloads the current log file and cuts the store to the range, so a query
// always starts from the whole file. A cut is told to data.events. Ok: the
// store holds the matched records; NoMatch: it holds the whole reloaded
// file; FileFailed with the path: the file could not be read again (the user
// was told) and the store is unchanged.
Outcome runDateQuery(AppData& data, FrameUi& ui, const DateRange& range);
