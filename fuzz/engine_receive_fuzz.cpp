// Arbitrary chunks from the line, in every engine state the first byte picks:
// nothing the logger sends may make the engine read or write out of bounds.
#include <stdlib.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "link/ProtocolEngine.h"
#include "record/AppData.h"
#include "support/FakeHosts.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    if (size < 2) return 0;
    static auto data = std::make_unique<AppData>();
    // Downloads and realtime start only where a log can be saved.
    static const std::string logs = [] {
        char folder[] = "/tmp/dravin-fuzz-XXXXXX";
        return std::string(mkdtemp(folder)) + "/";
    }();
    data->logDirOverride = logs;
    data->link = LinkState{};
    data->log.store.recordCount = 0;
    FakeTimers timers;
    FakePort port;
    FakeUi ui(*data);
    FakeClock clock;
    ProtocolEngine engine(*data, timers, port, ui, clock);
    data->link.connected = true;
    std::memcpy(data->log.setup.serialNo, "1234567890", 10);
    switch (bytes[0] % 6) {
        case 0:
            engine.startIdentify();
            break;
        case 1:
            engine.startAutoDownload();
            break;
        case 2:
            engine.startManuDownload();
            break;
        case 3:
            engine.startRealtime();
            break;
        case 4:
            engine.readSetup();
            break;
        default:
            engine.deleteAutoLogs();
            break;
    }
    // The rest is a sequence of chunks: a length byte pair, then the bytes.
    size_t o = 1;
    while (o + 2 <= size) {
        const size_t want = (size_t(bytes[o]) | size_t(bytes[o + 1]) << 8) % (kTxBufferSize + 1);
        o += 2;
        const size_t n = std::min(want, size - o);
        std::memcpy(data->link.rxBuffer.data(), bytes + o, n);
        engine.onReceive(int(n));
        o += n;
        if (data->log.store.recordCount > kLogCapacity) __builtin_trap();
    }
    engine.onTimer(kTimerDownloadStall);
    if (data->link.realtimeActive) engine.stopRealtime();
    // What was saved goes again, so the folder does not fill up.
    for (const auto& file : std::filesystem::directory_iterator(logs))
        std::filesystem::remove(file.path());
    return 0;
}
