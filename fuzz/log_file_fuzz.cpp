// Any byte sequence as a .drav file: the reader must refuse or load it without
// reading past what it was given, and a refused file must leave the store as it was.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <sstream>
#include <string>

#include "logdata/LogFile.h"
#include "record/AppData.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    static auto data = std::make_unique<AppData>();
    data->log.store.recordCount = 1;
    data->log.store.channelCount = 2;
    std::istringstream in(std::string(reinterpret_cast<const char*>(bytes), size));
    const LogReadResult result = readLogFile(in, data->log.store, data->log.setup);
    if (result != LogReadResult::Ok &&
        (data->log.store.recordCount != 1 || data->log.store.channelCount != 2)) {
        std::abort();
    }
    if (data->log.store.recordCount > kLogCapacity) std::abort();
    data->log.store.computeStatistics();
    return 0;
}
