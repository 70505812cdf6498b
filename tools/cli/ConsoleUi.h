#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/FrameUi.h"

struct AppData;

// The engine's user, on a console: messages and the busy box's texts go to
// stderr as they are, a question is answered yes (running the command was the
// yes), and the outcome of each operation is kept for the command to wait on.
class ConsoleUi : public FrameUi {
public:
    ConsoleUi(AppData& data, bool stderrIsTerminal);

    // Forgets the outcome of the previous operation.
    void beginOperation();
    bool ended() const { return ended_; }
    const Outcome& outcome() const { return outcome_; }

    // One line on stderr.
    void print(std::string_view text);

    void showProgress(std::string_view) override {}
    void setProgressText(std::string_view) override {}
    void hideProgress() override {}
    bool showMessage(std::string_view text) override;
    bool confirm(std::string_view) override { return true; }
    void openBusyBox(std::string_view text) override;
    void updateBusyBox(bool over) override;
    void operationEnded(const Outcome& outcome) override;

private:
    void drawProgressBar();

    AppData& data_;
    const bool terminal_;
    bool barShown_ = false;
    bool busyOpen_ = false;  // until its last text
    bool ended_ = false;
    Outcome outcome_;
};

// The program's texts as console lines: a leading "\r\n" dropped, the other
// "\r\n" made blanks: one line a message.
std::string consoleText(std::string_view text);
// The busy box's texts hold one statement a line ("\r\nSuccess.\r\nThe log
// was cut at ..."): each becomes a console line of its own.
std::vector<std::string> busyLines(std::string_view text);
