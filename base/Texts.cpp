#include "base/Texts.h"

#include <atomic>

namespace {

std::atomic<TextCatalog> installedCatalog{nullptr};

}  // namespace

const char* tx(const char* source) {
    const TextCatalog catalog = installedCatalog.load(std::memory_order_acquire);
    if (catalog == nullptr || source == nullptr) return source;
    const char* text = catalog(source);
    return text != nullptr ? text : source;
}

void installTextCatalog(TextCatalog catalog) {
    installedCatalog.store(catalog, std::memory_order_release);
}
