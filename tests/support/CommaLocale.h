#pragma once

#include <clocale>
#include <string>

// A locale that writes a comma before the decimals, as a window's toolkit
// sets it from a German user's environment; scripts/setup-deps.sh generates it.
inline constexpr char kCommaLocale[] = "de_DE.UTF-8";
inline constexpr char kCommaLocaleMissing[] =
    "the locale de_DE.UTF-8 is not installed: run scripts/setup-deps.sh";

// The process under kCommaLocale for the scope's life; the locale it
// replaced comes back at its end.
class CommaLocale {
public:
    CommaLocale() {
        const char* current = std::setlocale(LC_ALL, nullptr);
        previous_ = current ? current : "C";
        active_ = std::setlocale(LC_ALL, kCommaLocale) != nullptr;
    }
    ~CommaLocale() { std::setlocale(LC_ALL, previous_.c_str()); }
    CommaLocale(const CommaLocale&) = delete;
    CommaLocale& operator=(const CommaLocale&) = delete;

    // False when the locale is not installed; the process locale is then unchanged.
    bool active() const { return active_; }

private:
    std::string previous_;
    bool active_ = false;
};
