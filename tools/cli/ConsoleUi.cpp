#include "ConsoleUi.h"

#include <algorithm>
#include <cstdio>

#include "Printable.h"
#include "record/AppData.h"

namespace {

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

std::vector<std::string> busyLines(std::string_view text) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        const size_t end = text.find(kWindowsLineEnd);
        if (end != 0) lines.push_back(consoleText(text.substr(0, end)));
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + kWindowsLineEnd.size());
    }
    return lines;
}

ConsoleUi::ConsoleUi(AppData& data, bool stderrIsTerminal)
    : data_(data), terminal_(stderrIsTerminal) {}

void ConsoleUi::beginOperation() {
    ended_ = false;
    outcome_ = {};
}

void ConsoleUi::print(std::string_view text) {
    // A message may carry a logger's text, such as its serial number in a path.
    const std::string line = printable(consoleText(text));
    std::fprintf(stderr, "%s\n", line.c_str());
    std::fflush(stderr);
}

bool ConsoleUi::showMessage(std::string_view text) {
    // A message over the busy box says what the busy box's last text says
    // again; on a console that is one line too many.
    if (!busyOpen_) print(text);
    return true;
}

void ConsoleUi::openBusyBox(std::string_view text) {
    barShown_ = false;
    busyOpen_ = true;
    print(text);
}

void ConsoleUi::updateBusyBox(bool over) {
    if (!over) {
        if (terminal_) drawProgressBar();
        return;
    }
    if (barShown_) std::fputc('\n', stderr);
    barShown_ = false;
    busyOpen_ = false;
    for (const std::string& line : busyLines(data_.busyText)) print(line);
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

void ConsoleUi::operationEnded(const Outcome& outcome) {
    ended_ = true;
    outcome_ = outcome;
}
