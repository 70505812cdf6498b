#include "sim/SimWire.h"

#include <algorithm>

namespace simwire {

namespace {

constexpr int kYearBase = 2000;

bool frameIsSound(std::span<const uint8_t> frame) {
    const size_t n = frame.size();
    if (!std::equal(kTrailer.begin(), kTrailer.end(), frame.begin() + (n - kTrailer.size())))
        return false;
    const uint8_t check = frame[n - kTrailer.size() - 1];
    return xorOf(frame.subspan(kLead.size(), n - kLead.size() - kTrailer.size() - 1)) == check;
}

}  // namespace

uint8_t xorOf(std::span<const uint8_t> bytes) {
    uint8_t check = 0;
    for (uint8_t b : bytes) check ^= b;
    return check;
}

std::vector<uint8_t> encodeFrame(const SerialNo& serial, uint8_t code,
                                 std::span<const uint8_t> payload) {
    // Sized once and filled in place: growing it piece by piece makes GCC 12
    // at -O3 warn of an overflow that cannot happen.
    std::vector<uint8_t> frame(kOverhead + payload.size());
    auto at = std::copy(kLead.begin(), kLead.end(), frame.begin());
    at = std::copy(serial.begin(), serial.end(), at);
    *at++ = code;
    at = std::copy(payload.begin(), payload.end(), at);
    const auto checked = std::span<const uint8_t>(frame).subspan(
        kLead.size(), static_cast<size_t>(at - frame.begin()) - kLead.size());
    *at++ = xorOf(checked);
    std::copy(kTrailer.begin(), kTrailer.end(), at);
    return frame;
}

uint32_t packTime(const SimRecord& r) {
    return static_cast<uint32_t>(r.second & 0x3F) | static_cast<uint32_t>(r.minute & 0x3F) << 6 |
           static_cast<uint32_t>(r.hour & 0x1F) << 12 | static_cast<uint32_t>(r.day & 0x1F) << 17 |
           static_cast<uint32_t>(r.month & 0x0F) << 22 |
           static_cast<uint32_t>((r.year - kYearBase) & 0x3F) << 26;
}

void packRecord(const SimRecord& record, uint8_t* out, int size) {
    putU32(out, packTime(record));
    putU32(out + 4, static_cast<uint32_t>(record.ch1));
    putU16(out + 8, static_cast<uint16_t>(record.ch2));
    putU16(out + 10, static_cast<uint16_t>(record.ch3));
    putU16(out + 12, static_cast<uint16_t>(record.ch4));
    std::fill(out + kAutoRecordSize, out + size, uint8_t{0});
}

void putU16(uint8_t* out, uint16_t value) {
    out[0] = static_cast<uint8_t>(value);
    out[1] = static_cast<uint8_t>(value >> 8);
}

void putU32(uint8_t* out, uint32_t value) {
    putU16(out, static_cast<uint16_t>(value));
    putU16(out + 2, static_cast<uint16_t>(value >> 16));
}

uint16_t getU16(const uint8_t* in) {
    return static_cast<uint16_t>(in[0] | in[1] << 8);
}

uint32_t getU32(const uint8_t* in) {
    return getU16(in) | static_cast<uint32_t>(getU16(in + 2)) << 16;
}

int requestPayloadLength(uint8_t code) {
    return code == kSync ? kSyncPayloadLength : 0;
}

void RequestScanner::feed(std::span<const uint8_t> bytes) {
    pending_.insert(pending_.end(), bytes.begin(), bytes.end());
}

std::optional<Request> RequestScanner::next() {
    for (;;) {
        auto lead = std::search(pending_.begin(), pending_.end(), kLead.begin(), kLead.end());
        if (lead == pending_.end()) {
            // Keep a tail that may be the start of a lead still on its way.
            const size_t keep = std::min(pending_.size(), kLead.size() - 1);
            pending_.erase(pending_.begin(), pending_.end() - static_cast<long>(keep));
            return std::nullopt;
        }
        pending_.erase(pending_.begin(), lead);
        if (pending_.size() <= static_cast<size_t>(kCodeOffset)) return std::nullopt;
        const uint8_t code = pending_[kCodeOffset];
        const size_t length = static_cast<size_t>(kOverhead + requestPayloadLength(code));
        if (pending_.size() < length) return std::nullopt;
        std::span<const uint8_t> frame(pending_.data(), length);
        if (frameIsSound(frame)) {
            Request request{code, std::vector<uint8_t>(frame.begin(), frame.end())};
            pending_.erase(pending_.begin(), pending_.begin() + static_cast<long>(length));
            return request;
        }
        pending_.erase(pending_.begin());  // not a frame after all: look past this lead
    }
}

}  // namespace simwire
