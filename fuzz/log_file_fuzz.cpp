// Any byte sequence as a .drav file: the reader must refuse or load it without
// reading past what it was given, and a refused file must leave the store as it was.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <sstream>
#include <string>

#include "base/AppData.h"
#include "logdata/LogFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    static auto data = std::make_unique<AppData>();
    data->store.recordCount = 1;
    data->store.channelCount = 2;
    std::istringstream in(std::string(reinterpret_cast<const char*>(bytes), size));
    const LogReadResult result = readLogFile(in, data->store, data->setup);
    if (result != LogReadResult::Ok &&
        (data->store.recordCount != 1 || data->store.channelCount != 2)) {
        std::abort();
    }
    if (data->store.recordCount > kLogCapacity) std::abort();
    data->store.computeStatistics();
    return 0;
}
