#pragma once

#include <clocale>
#include <cstdlib>
#include <optional>
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

// LC_ALL=kCommaLocale in the environment for the scope's life: the programs
// started meanwhile run under it. The variable comes back as it was.
class CommaLocaleEnvironment {
public:
    CommaLocaleEnvironment() {
        if (const char* current = std::getenv("LC_ALL")) previous_ = current;
        setenv("LC_ALL", kCommaLocale, 1);
    }
    ~CommaLocaleEnvironment() {
        if (previous_) {
            setenv("LC_ALL", previous_->c_str(), 1);
        } else {
            unsetenv("LC_ALL");
        }
    }
    CommaLocaleEnvironment(const CommaLocaleEnvironment&) = delete;
    CommaLocaleEnvironment& operator=(const CommaLocaleEnvironment&) = delete;

private:
    std::optional<std::string> previous_;
};
