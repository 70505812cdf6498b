#include "views/CsvExport.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>

#include "base/NumberFormat.h"
#include "logdata/LogStore.h"
#include "logdata/StampText.h"
#include "logdata/Units.h"
#include "logdata/UserFiles.h"

namespace {

constexpr std::string_view kLineEnd = "\r\n";
// Lines are gathered into blocks of this size and go out a block at a time:
// a full store is some 140,000 lines.
constexpr std::size_t kBlockSize = 64 * 1024;
// The longest record line: the number, the time quoted with every character
// a quote, and four values of the longest form.
constexpr std::size_t kMaxLine =
    10 + 1 + 2 * kStampTextLength + 2 + kChannels * (1 + kOneDecimalMaxChars) + kLineEnd.size();

bool needsQuotes(std::string_view field) {
    return field.find_first_of(",\"\r\n") != std::string_view::npos;
}

// The field as RFC 4180 has it at `out`; returns the end. Room for twice
// its length and two is enough.
char* putField(char* out, std::string_view field) {
    if (!needsQuotes(field)) return std::copy(field.begin(), field.end(), out);
    *out++ = '"';
    for (const char ch : field) {
        if (ch == '"') *out++ = '"';
        *out++ = ch;
    }
    *out++ = '"';
    return out;
}

// "YYYY-MM-DDThh:mm:ss" with the time stamp's characters as they are.
char* putTime(char* out, const Timestamp& t) {
    char text[kStampTextLength];
    putStampText(text, t.data(), 'T');
    return putField(out, {text, sizeof text});
}

uint32_t csvChannels(const LogStore& store) {
    return std::min<uint32_t>(store.channelCount, kChannels);
}

std::string header(const LogStore& store, bool fahrenheit) {
    std::string line = "index,time";
    for (uint32_t c = 0; c < csvChannels(store); ++c) {
        const int channel = static_cast<int>(c);
        const std::string name = "CH" + std::to_string(c + 1) + " [" +
                                 std::string(shownUnitText(store, channel, fahrenheit)) + "]";
        std::string field(2 * name.size() + 2, '\0');
        field.resize(static_cast<std::size_t>(putField(field.data(), name) - field.data()));
        line += ',';
        line += field;
    }
    line += kLineEnd;
    return line;
}

}  // namespace

bool writeCsvExport(std::ostream& out, const LogStore& store, bool fahrenheit) {
    const std::string head = header(store, fahrenheit);
    out.write(head.data(), static_cast<std::streamsize>(head.size()));
    const uint32_t channels = csvChannels(store);
    bool converts[kChannels];
    for (uint32_t c = 0; c < channels; ++c)
        converts[c] = showsFahrenheit(store, static_cast<int>(c), fahrenheit);

    static_assert(kBlockSize > kMaxLine);
    auto block = std::make_unique_for_overwrite<char[]>(kBlockSize);
    std::size_t used = 0;
    auto flush = [&] {
        out.write(block.get(), static_cast<std::streamsize>(used));
        used = 0;
        return static_cast<bool>(out);
    };
    const uint32_t count = std::min(store.recordCount, kLogCapacity);
    for (uint32_t i = 0; i < count; ++i) {
        if (kBlockSize - used < kMaxLine && !flush()) return false;
        char* at = block.get() + used;
        at = std::to_chars(at, at + 10, i + 1).ptr;
        *at++ = ',';
        at = putTime(at, store.timestamps[i]);
        for (uint32_t c = 0; c < channels; ++c) {
            const float value = store.values[c][i];
            *at++ = ',';
            at = putOneDecimal(at, converts[c] ? toFahrenheit(value) : value);
        }
        at = std::copy(kLineEnd.begin(), kLineEnd.end(), at);
        used = static_cast<std::size_t>(at - block.get());
    }
    return flush();
}

Outcome exportCsvFile(const std::string& path, const LogStore& store, bool fahrenheit) {
    return userFiles().write(
        {UserFileKind::CsvExport, path, store.currentFilePath},
        [&](std::ostream& out) { return writeCsvExport(out, store, fahrenheit); });
}
