#include "setup/CodePage.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

constexpr const char* kLoggerCodePage = "GB18030";
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

// One conversion of glibc's iconv, closed when it goes.
class Converter {
public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
    ~Converter() {
        if (valid()) iconv_close(handle_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    // Converts `in` into `out`; on a sequence it cannot convert it calls
    // `onBad` with the bytes left and the output so far, which returns how
    // many input bytes to step over.
    template <class OnBad>
    void run(std::string_view in, std::string& out, OnBad onBad) {
        char buffer[256];
        // iconv takes a non-const input pointer but never writes through it.
        char* inPtr = const_cast<char*>(in.data());
        size_t inLeft = in.size();
        while (inLeft > 0) {
            char* outPtr = buffer;
            size_t outLeft = sizeof buffer;
            const size_t result = iconv(handle_, &inPtr, &inLeft, &outPtr, &outLeft);
            out.append(buffer, static_cast<size_t>(outPtr - buffer));
            if (result != static_cast<size_t>(-1)) continue;
            if (errno == E2BIG) continue;
            // EILSEQ or EINVAL: no character of the source here.
            const size_t skip = std::min(inLeft, onBad(std::string_view(inPtr, inLeft), out));
            inPtr += skip;
            inLeft -= skip;
            iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        }
    }

private:
    iconv_t handle_;
};

bool isAscii(char c) {
    return static_cast<unsigned char>(c) < 0x80;
}

// Without the converter (a system without its code page modules) only ASCII
// is known.
std::string decodeAsciiOnly(std::string_view bytes) {
    std::string text;
    for (char c : bytes) {
        if (isAscii(c))
            text += c;
        else
            text += kReplacement;
    }
    return text;
}

std::string encodeAsciiOnly(std::string_view utf8) {
    std::string bytes;
    for (char c : utf8) {
        if (isAscii(c)) {
            bytes += c;
        } else if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            bytes += '?';  // the first byte of a character it cannot write
        }
    }
    return bytes;
}

}  // namespace

std::string decodeLoggerText(std::string_view bytes) {
    bytes = bytes.substr(0, std::min(bytes.size(), bytes.find('\0')));
    Converter converter("UTF-8", kLoggerCodePage);
    if (!converter.valid()) return decodeAsciiOnly(bytes);
    std::string text;
    converter.run(bytes, text, [](std::string_view, std::string& out) {
        out += kReplacement;
        return size_t{1};
    });
    return text;
}

std::string encodeLoggerText(std::string_view utf8, size_t maxBytes) {
    std::string bytes;
    Converter converter(kLoggerCodePage, "UTF-8");
    if (!converter.valid()) {
        bytes = encodeAsciiOnly(utf8);
    } else {
        converter.run(utf8, bytes, [](std::string_view, std::string&) { return size_t{1}; });
    }
    bytes.resize(characterBoundary(bytes, maxBytes));
    return bytes;
}

size_t characterBoundary(std::string_view bytes, size_t maxBytes) {
    size_t end = 0;
    while (end < bytes.size()) {
        size_t length = 1;
        if (!isAscii(bytes[end])) {
            // A lead byte 81..FE, then either one trail byte or, when a digit
            // follows, three more bytes (digit, 81..FE, digit).
            const bool fourBytes =
                end + 1 < bytes.size() && bytes[end + 1] >= '0' && bytes[end + 1] <= '9';
            length = fourBytes ? 4 : 2;
        }
        if (end + length > maxBytes || end + length > bytes.size()) break;
        end += length;
    }
    return end;
}
