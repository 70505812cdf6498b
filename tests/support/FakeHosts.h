#pragma once

// Recording fakes of the engine's hosts: tests drive time by hand and read
// back what the user would have seen.

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/PaneReactions.h"
#include "link/Clock.h"
#include "link/EngineHosts.h"
#include "record/AppData.h"

class FakeTimers : public TimerHost {
public:
    void startTimer(int id, int periodMs) override {
        running[id] = periodMs;
        sinceStart_[id] = 0;
    }
    void stopTimer(int id) override { running.erase(id); }
    bool isRunning(int id) const { return running.count(id) != 0; }
    // Lets `ms` pass: each running timer fires as often as its period fits.
    // Most tests call the engine's onTimer by hand instead.
    void elapse(int ms, const std::function<void(int)>& fire) {
        for (int step = 0; step < ms; ++step) {
            for (const auto& [id, period] : std::map<int, int>(running)) {
                if (!isRunning(id) || ++sinceStart_[id] < period) continue;
                sinceStart_[id] = 0;
                fire(id);
            }
        }
    }
    std::map<int, int> running;  // id -> period

private:
    std::map<int, int> sinceStart_;
};

class FakePort : public PortHost {
public:
    void queueWrite(const uint8_t* data, int length) override {
        writes.emplace_back(data, data + length);
    }
    void stopThread() override { ++stops; }
    void closePort() override {
        ++stops;
        ++closes;
    }
    std::vector<std::vector<uint8_t>> writes;
    int stops = 0;
    int closes = 0;
};

class FakeClock : public Clock {
public:
    LocalTime now() const override { return time; }
    LocalTime time{2024, 3, 9, 7, 5, 2};
};

// The prompts, and the pane moves the window would make for the events of
// `data`, recorded.
class FakeUi : public FrameUi, public PaneMoves {
public:
    explicit FakeUi(AppData& data) : data_(data) {}
    void showProgress(std::string_view text) override {
        progressText = text;
        progressVisible = true;
    }
    void setProgressText(std::string_view text) override { progressText = text; }
    void hideProgress() override { progressVisible = false; }
    bool showMessage(std::string_view text) override {
        messages.emplace_back(text);
        return answerOk;
    }
    bool confirmReplace(std::string_view path) override {
        replaceQuestions.emplace_back(path);
        return answerReplace;
    }
    void openBusyBox(std::string_view text) override {
        busyOpen = true;
        busyOver = false;
        busyTexts.emplace_back(text);
    }
    void updateBusyBox(bool over) override {
        busyTexts.push_back(data_.busyText);
        if (over) busyOver = true;
    }
    void downloadProgress(int packagesDone, int packagesTotal) override {
        progressCalls.emplace_back(packagesDone, packagesTotal);
    }
    void showPaneAlone(int paneId) override { panes.push_back(paneId); }
    void fillFileList() override { ++fileListFills; }
    void redrawChart() override { ++redraws; }
    void setDocumentTitle(std::string_view title) override { titles.emplace_back(title); }
    void clearDataList() override { ++dataListClears; }
    void realtimeSampleArrived() override { ++realtimeSamples; }
    void fillSetupGrid() override { ++setupGridFills; }
    void loggerSetupRead() override { ++loggerSetupReads; }
    void operationEnded(const Outcome& outcome) override {
        outcomes.push_back(outcome.ok());
        ended.push_back(outcome);
    }

    std::string lastMessage() const { return messages.empty() ? "" : messages.back(); }
    std::string lastBusyText() const { return busyTexts.empty() ? "" : busyTexts.back(); }

    bool answerOk = true;                       // what the user answers in the message dialog
    bool answerReplace = false;                 // ... and when asked to replace a file
    std::vector<std::string> replaceQuestions;  // the paths asked about
    std::string progressText;
    bool progressVisible = false;
    std::vector<std::string> messages;
    bool busyOpen = false;
    bool busyOver = false;
    std::vector<std::string> busyTexts;
    std::vector<std::pair<int, int>> progressCalls;  // packages done, total
    std::vector<int> panes;
    int fileListFills = 0;
    int redraws = 0;
    std::vector<std::string> titles;
    int dataListClears = 0;
    int realtimeSamples = 0;
    int setupGridFills = 0;
    int loggerSetupReads = 0;
    std::vector<bool> outcomes;  // ok() of each outcome
    std::vector<Outcome> ended;

private:
    AppData& data_;
    PaneReactions reactions_{data_, *this};
};
