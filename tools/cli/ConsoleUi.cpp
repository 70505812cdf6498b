#include "ConsoleUi.h"

#include <algorithm>
#include <cstdio>

#include "app/AppData.h"

namespace {

constexpr std::string_view kSyncQuestion = "Sync to the logger?";
constexpr std::string_view kWindowsLineEnd = "\r\n";
constexpr int kBarWidth = 30;

}  // namespace

std::string consoleText(std::string_view text) {
    if (text.starts_with(kWindowsLineEnd)) text.remove_prefix(kWindowsLineEnd.size());
    std::string line;
    line.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        // One line a failure, so that scripts can read it.
        if (text.substr(i).starts_with(kWindowsLineEnd)) {
            line += ' ';
            ++i;
        } else {
            line += text[i];
        }
    }
    return line;
}

ConsoleUi::ConsoleUi(AppData& data, bool stderrIsTerminal)
    : data_(data), terminal_(stderrIsTerminal) {}

void ConsoleUi::beginOperation() {
    ended_ = false;
    succeeded_ = false;
    reported_ = false;
    lastMessage_.clear();
}

void ConsoleUi::print(std::string_view text) {
    const std::string line = consoleText(text);
    std::fprintf(stderr, "%s\n", line.c_str());
    std::fflush(stderr);
}

bool ConsoleUi::showMessage(std::string_view text) {
    // Running the command is the user's yes.
    if (text == kSyncQuestion) return true;
    print(text);
    lastMessage_ = consoleText(text);
    reported_ = true;
    return true;
}

void ConsoleUi::openBusyBox(std::string_view text) {
    barShown_ = false;
    print(text);
}

void ConsoleUi::updateBusyBox(bool over) {
    if (!over) {
        if (terminal_) drawProgressBar();
        return;
    }
    if (barShown_) std::fputc('\n', stderr);
    barShown_ = false;
    // A failed save has said "Failed." in a message already.
    if (reported_ && consoleText(data_.busyText) == lastMessage_) return;
    print(data_.busyText);
    reported_ = true;
}

void ConsoleUi::drawProgressBar() {
    const uint32_t done = data_.link.packagesDone;
    const uint32_t total = data_.link.packagesTotal;
    const int filled = total == 0 ? 0 : static_cast<int>(uint64_t{done} * kBarWidth / total);
    std::string bar(static_cast<size_t>(std::min(filled, kBarWidth)), '#');
    bar.resize(kBarWidth, '.');
    std::fprintf(stderr, "\r[%s] %u/%u packages", bar.c_str(), done, total);
    std::fflush(stderr);
    barShown_ = true;
}

void ConsoleUi::operationEnded(bool ok) {
    ended_ = true;
    succeeded_ = ok;
}
