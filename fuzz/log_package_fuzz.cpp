// Arbitrary bytes at the head of a download stream: the package parser never
// reads past them, and what it reports of a package fits inside them.
#include <cstdint>
#include <span>

#include "link/LogRecordCodec.h"

namespace {

void check(std::span<const uint8_t> bytes, uint8_t code, int recordSize) {
    const LogPackage package = decodeLogPackage(bytes, code, recordSize);
    if (package.used > bytes.size()) __builtin_trap();
    if (package.status == LogPackage::Whole) {
        const size_t length = kPackageOverhead + static_cast<size_t>(package.count * recordSize);
        if (package.used != length) __builtin_trap();
        if (package.records.size() != static_cast<size_t>(package.count * recordSize))
            __builtin_trap();
        if (package.records.data() != bytes.data() + kPackageRecordsOffset) __builtin_trap();
    }
    const size_t next = nextFrameLead(bytes);
    if (next > bytes.size() || (!bytes.empty() && next == 0)) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    check(bytes, REPLY_AUTO_LOGS, kAutoRecordSize);
    check(bytes, REPLY_MANU_LOGS, kManuRecordSize);
    return 0;
}
