#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// SHA-256 through OpenSSL's EVP interface.
using Sha256Digest = std::array<uint8_t, 32>;

Sha256Digest sha256(std::string_view bytes);
// The digest of a file, read in blocks; nothing when it cannot be read
// (`error` then holds the system's error number, when given).
std::optional<Sha256Digest> sha256OfFile(const std::string& path, int* error = nullptr);
// 64 lower-case hex digits.
std::string hexText(const Sha256Digest& digest);
std::string sha256Hex(std::string_view bytes);
// hexText of the file's digest, or empty when it cannot be read.
std::string sha256HexOfFile(const std::string& path, int* error = nullptr);
