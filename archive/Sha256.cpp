#include "archive/Sha256.h"

#include <fcntl.h>
#include <openssl/evp.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

namespace {

constexpr size_t kBlockSize = 64 * 1024;

struct ContextFree {
    void operator()(EVP_MD_CTX* context) const { EVP_MD_CTX_free(context); }
};
using Context = std::unique_ptr<EVP_MD_CTX, ContextFree>;

Context startDigest() {
    Context context(EVP_MD_CTX_new());
    if (context && EVP_DigestInit_ex(context.get(), EVP_sha256(), nullptr) != 1) context.reset();
    return context;
}

bool finishDigest(EVP_MD_CTX* context, Sha256Digest& digest) {
    unsigned int length = 0;
    return EVP_DigestFinal_ex(context, digest.data(), &length) == 1 && length == digest.size();
}

}  // namespace

Sha256Digest sha256(std::string_view bytes) {
    Sha256Digest digest{};
    const Context context = startDigest();
    // Only an exhausted memory makes OpenSSL fail here; the digest is then zero.
    if (!context || EVP_DigestUpdate(context.get(), bytes.data(), bytes.size()) != 1 ||
        !finishDigest(context.get(), digest))
        digest.fill(0);
    return digest;
}

std::optional<Sha256Digest> sha256OfFile(const std::string& path, int* error) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (error != nullptr) *error = errno;
        return std::nullopt;
    }
    const Context context = startDigest();
    auto buffer = std::make_unique<char[]>(kBlockSize);
    bool ok = static_cast<bool>(context);
    int failure = ok ? 0 : ENOMEM;
    while (ok) {
        const ssize_t got = ::read(fd, buffer.get(), kBlockSize);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            failure = errno;
            ok = false;
            break;
        }
        if (got == 0) break;
        ok = EVP_DigestUpdate(context.get(), buffer.get(), static_cast<size_t>(got)) == 1;
        if (!ok) failure = ENOMEM;
    }
    ::close(fd);
    Sha256Digest digest{};
    if (ok && !finishDigest(context.get(), digest)) {
        ok = false;
        failure = ENOMEM;
    }
    if (!ok) {
        if (error != nullptr) *error = failure;
        return std::nullopt;
    }
    return digest;
}

std::string hexText(const Sha256Digest& digest) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text;
    text.reserve(digest.size() * 2);
    for (const uint8_t byte : digest) {
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0x0f];
    }
    return text;
}

std::string sha256Hex(std::string_view bytes) {
    return hexText(sha256(bytes));
}

std::string sha256HexOfFile(const std::string& path, int* error) {
    const std::optional<Sha256Digest> digest = sha256OfFile(path, error);
    return digest ? hexText(*digest) : std::string();
}
