#pragma once

#include <array>
#include <cstdint>

#include "logdata/ChannelLimits.h"
#include "logdata/LogAnalysis.h"
#include "logdata/LogStore.h"
#include "ui/widgets/PaneWidget.h"

struct AppData;
class QCheckBox;
class QComboBox;
class QSpinBox;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QPushButton;

// Content of the Limits pane: per channel of the log shown a high and a low
// alarm limit, each set or cleared, in the unit the channel shows in (°F
// for an "oC" channel while °F is chosen), and what the records did against
// them and where the log has no data (its gaps); the log's first and last
// record time, its log interval and each temperature channel's mean kinetic
// temperature with its activation energy. The pane edits
// AppData::limits and AppData::activationEnergy; the frame keeps and draws
// them when told by the signals.
class CLimitsPane : public PaneWidget {
    Q_OBJECT

public:
    static constexpr const char* kLoggerLimitsText =
        QT_TRANSLATE_NOOP("Dravin", "Use the logger's limits");
    static constexpr const char* kNoValueText = "--";

    explicit CLimitsPane(AppData& data, QWidget* parent = nullptr);

    // Shows the record as it is now: the channels of the log, their limits in
    // the unit shown and the figures of the records.
    void refresh();
    // The logger's own alarm limits (LoggerSetup, raw tenths) were just read:
    // the button offers them, with their values.
    void offerLoggerLimits();
    // Fill and ShowChoices: refresh(); OfferLoggerLimits.
    void takeMove(PaneMove move) override;

    // The controls of channel 0..3, for the frame's tests.
    QGroupBox* channelBox(int channel) const { return rows_[index(channel)].box; }
    QCheckBox* highSet(int channel) const { return rows_[index(channel)].highSet; }
    QDoubleSpinBox* highField(int channel) const { return rows_[index(channel)].high; }
    QCheckBox* lowSet(int channel) const { return rows_[index(channel)].lowSet; }
    QDoubleSpinBox* lowField(int channel) const { return rows_[index(channel)].low; }
    QLabel* aboveText(int channel) const { return rows_[index(channel)].above; }
    QLabel* belowText(int channel) const { return rows_[index(channel)].below; }
    QLabel* excursionsText(int channel) const { return rows_[index(channel)].excursions; }
    QLabel* longestText(int channel) const { return rows_[index(channel)].longest; }
    QLabel* gapsText(int channel) const { return rows_[index(channel)].gaps; }
    QLabel* longestGapText(int channel) const { return rows_[index(channel)].longestGap; }
    QLabel* kineticText(int channel) const { return rows_[index(channel)].kinetic; }
    // The rule of the high or low limit: its kind (in AlarmRuleKind order) and minutes.
    QComboBox* ruleChoice(int channel, bool high) const {
        return high ? rows_[index(channel)].highRule : rows_[index(channel)].lowRule;
    }
    QSpinBox* ruleMinutes(int channel, bool high) const {
        return high ? rows_[index(channel)].highMinutes : rows_[index(channel)].lowMinutes;
    }
    QLabel* verdictText(int channel) const { return rows_[index(channel)].verdict; }
    QLabel* logVerdictText() const { return verdict_; }
    QLabel* firstRecordText() const { return firstRecord_; }
    QLabel* lastRecordText() const { return lastRecord_; }
    QLabel* logIntervalText() const { return logInterval_; }
    QDoubleSpinBox* activationEnergyField() const { return activationEnergy_; }
    QPushButton* loggerLimitsButton() const { return loggerLimits_; }
    QLabel* loggerLimitsText() const { return loggerLimitsValues_; }

signals:
    // AppData::limits changed by the user.
    void limitsEdited();
    // AppData::activationEnergy changed by the user.
    void activationEnergyEdited();

private:
    struct ChannelRow {
        QGroupBox* box = nullptr;
        QCheckBox* highSet = nullptr;
        QDoubleSpinBox* high = nullptr;
        QCheckBox* lowSet = nullptr;
        QDoubleSpinBox* low = nullptr;
        QComboBox* highRule = nullptr;
        QSpinBox* highMinutes = nullptr;
        QComboBox* lowRule = nullptr;
        QSpinBox* lowMinutes = nullptr;
        QLabel* verdict = nullptr;
        QLabel* above = nullptr;
        QLabel* below = nullptr;
        QLabel* excursions = nullptr;
        QLabel* longest = nullptr;
        QLabel* gaps = nullptr;
        QLabel* longestGap = nullptr;
        QLabel* kineticTitle = nullptr;
        QLabel* kinetic = nullptr;
    };

    static std::size_t index(int channel) { return static_cast<std::size_t>(channel); }
    void buildChannel(int channel);
    void showLimits(int channel);
    // The figures of every channel, from one analysis of the log.
    void showFigures();
    void showChannelFigures(int channel, const ChannelAnalysis& analysis);
    void showGaps(int channel, const GapSummary& gaps);
    void takeEdit(int channel);
    void takeLoggerLimits();

    AppData& data_;
    std::array<ChannelRow, kChannels> rows_{};
    QLabel* firstRecord_ = nullptr;
    QLabel* lastRecord_ = nullptr;
    QLabel* logInterval_ = nullptr;
    QLabel* verdict_ = nullptr;
    QDoubleSpinBox* activationEnergy_ = nullptr;
    QPushButton* loggerLimits_ = nullptr;
    QLabel* loggerLimitsValues_ = nullptr;
    // The logger's limits of each channel as last offered.
    ChannelLimits offered_{};
};
