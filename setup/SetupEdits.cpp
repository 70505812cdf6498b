#include "setup/SetupEdits.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <limits>

#include "base/TextFormat.h"
#include "base/Texts.h"
#include "link/LoggerSetup.h"
#include "setup/CodePage.h"
#include "setup/SetupItems.h"

namespace {

template <class T>
constexpr NumberRange rangeOf() {
    return {std::numeric_limits<T>::min(), std::numeric_limits<T>::max()};
}

// A number item's field, whatever its width.
struct NumberField {
    NumberRange range;
    void (*store)(LoggerSetup& setup, int64_t value);
};

template <class T, T LoggerSetup::*Field>
NumberField field() {
    return {rangeOf<T>(), [](LoggerSetup& s, int64_t v) { s.*Field = static_cast<T>(v); }};
}

template <int Channel>
NumberField offsetField() {
    return {rangeOf<int16_t>(),
            [](LoggerSetup& s, int64_t v) { s.offsets[Channel] = static_cast<int16_t>(v); }};
}

std::optional<NumberField> numberField(int itemId) {
    switch (itemId) {
        case kItemSamplingInterval:
            return field<uint8_t, &LoggerSetup::samplingInterval>();
        case kItemLogInterval:
            return field<uint32_t, &LoggerSetup::logInterval>();
        case kItemCh1High:
            return field<int32_t, &LoggerSetup::ch1High>();
        case kItemCh1Low:
            return field<int32_t, &LoggerSetup::ch1Low>();
        case kItemCh2High:
            return field<int16_t, &LoggerSetup::ch2High>();
        case kItemCh2Low:
            return field<int16_t, &LoggerSetup::ch2Low>();
        case kItemCh3High:
            return field<int16_t, &LoggerSetup::ch3High>();
        case kItemCh3Low:
            return field<int16_t, &LoggerSetup::ch3Low>();
        case kItemCh4High:
            return field<int16_t, &LoggerSetup::ch4High>();
        case kItemCh4Low:
            return field<int16_t, &LoggerSetup::ch4Low>();
        case kItemCh1Offset:
            return offsetField<0>();
        case kItemCh2Offset:
            return offsetField<1>();
        case kItemCh3Offset:
            return offsetField<2>();
        case kItemCh4Offset:
            return offsetField<3>();
        default:
            return std::nullopt;
    }
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string quoted(std::string_view text) {
    std::string result;
    result.reserve(text.size() + 2);
    result += '"';
    result += text;
    result += '"';
    return result;
}

SetupEdit refused(std::string_view text, const std::string& allowed) {
    return {false,
            formatText(tx("Not stored: %s. Allowed: %s."), quoted(text).c_str(), allowed.c_str())};
}

SetupEdit editNumber(LoggerSetup& setup, const NumberField& field, std::string_view text) {
    const std::optional<int64_t> value = parseWholeNumber(text);
    if (!value || *value < field.range.lowest || *value > field.range.highest) {
        return refused(text, formatText(tx("a whole number from %s to %s"),
                                        std::to_string(field.range.lowest).c_str(),
                                        std::to_string(field.range.highest).c_str()));
    }
    field.store(setup, *value);
    return {true, {}};
}

SetupEdit editSerialNo(LoggerSetup& setup, std::string_view text) {
    if (!isValidSerialNo(text)) {
        return refused(text, tx("exactly 10 printable ASCII characters, without / or \\"));
    }
    std::memset(setup.serialNo, 0, sizeof setup.serialNo);
    std::memcpy(setup.serialNo, text.data(), kSerialNoLength);
    return {true, {}};
}

SetupEdit editName(LoggerSetup& setup, std::string_view text) {
    if (storeName(setup, text)) return {true, {}};
    return {true,
            formatText(tx("Cut to %s: a name holds at most %d bytes in the logger's code page "
                          "(a Chinese character takes two)."),
                       quoted(setupItemText(setup, kItemName)).c_str(), kSetupNameLength)};
}

}  // namespace

SetupEdit applySetupEdit(LoggerSetup& setup, int itemId, std::string_view text) {
    if (itemId == kItemName) return editName(setup, text);
    if (itemId == kItemSerialNo) return editSerialNo(setup, text);
    if (const std::optional<NumberField> field = numberField(itemId)) {
        return editNumber(setup, *field, text);
    }
    return {false, tx("Not stored: this item cannot be edited.")};
}

std::optional<NumberRange> numberRange(int itemId) {
    if (const std::optional<NumberField> field = numberField(itemId)) return field->range;
    return std::nullopt;
}

std::optional<int64_t> parseWholeNumber(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    // from_chars takes a minus sign but no plus sign.
    if (text.size() > 1 && text.front() == '+' && text[1] != '-') text.remove_prefix(1);
    int64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [last, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || last != end || text.empty()) return std::nullopt;
    return value;
}

bool isValidSerialNo(std::string_view text) {
    return text.size() == kSerialNoLength && std::all_of(text.begin(), text.end(), [](char c) {
               return c >= ' ' && c <= '~' && c != '/' && c != '\\';
           });
}

bool storeName(LoggerSetup& setup, std::string_view text) {
    const std::string whole = encodeLoggerText(text, std::string::npos);
    const size_t kept = characterBoundary(whole, kSetupNameLength);
    std::memset(setup.name, 0, sizeof setup.name);
    std::memcpy(setup.name, whole.data(), kept);
    return kept == whole.size();
}
