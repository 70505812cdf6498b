#include "views/widgets/CLimitsPane.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/NumberFormat.h"
#include "logdata/ChannelLimits.h"
#include "logdata/LimitsBook.h"
#include "logdata/LogAnalysis.h"
#include "logdata/RecordTimes.h"
#include "logdata/StampSeconds.h"
#include "logdata/StampText.h"
#include "logdata/Units.h"
#include "record/AppData.h"
#include "ui/widgets/WindowTexts.h"
#include "views/LimitTexts.h"

namespace {

// Wide enough for any value of a channel in °F, with its one decimal.
constexpr double kLimitRange = 9999.9;
constexpr int kLimitDecimals = 1;
constexpr double kJoulesPerKilojoule = 1000.0;
constexpr double kMinActivationEnergy = 1.0;  // kJ/mol
constexpr double kMaxActivationEnergy = 1000.0;
constexpr int kEnergyDecimals = 3;
constexpr int kMostRuleMinutes = 366 * 24 * 60;

// The rule choices in AlarmRuleKind order.
const char* const kRuleNames[] = {QT_TRANSLATE_NOOP("Dravin", "Any reading outside"),
                                  QT_TRANSLATE_NOOP("Dravin", "One excursion longer than"),
                                  QT_TRANSLATE_NOOP("Dravin", "Outside in all longer than")};
constexpr const char* kPassText = QT_TRANSLATE_NOOP("Dravin", "PASS");
constexpr const char* kFailText = QT_TRANSLATE_NOOP("Dravin", "FAIL");
constexpr const char* kFailHighText = QT_TRANSLATE_NOOP("Dravin", "FAIL: the high limit's rule");
constexpr const char* kFailLowText = QT_TRANSLATE_NOOP("Dravin", "FAIL: the low limit's rule");
constexpr const char* kNoLimitsText = QT_TRANSLATE_NOOP("Dravin", "No limits set");
constexpr const char* kPassStyle = "color: #1a7f1a; font-weight: bold;";
constexpr const char* kFailStyle = "color: #c01818; font-weight: bold;";

const char* const kOrdinals[kChannels] = {
    QT_TRANSLATE_NOOP("Dravin", "1st"), QT_TRANSLATE_NOOP("Dravin", "2nd"),
    QT_TRANSLATE_NOOP("Dravin", "3rd"), QT_TRANSLATE_NOOP("Dravin", "4th")};

QString fromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString recordTime(const LogStore& store, uint32_t i) {
    return QString::fromStdString(stampText(store.timestamp(i)));
}

QString oneDecimal(double value) {
    return QString::fromStdString(fixedText(value, 1));
}

// A number field reads and writes "." before its decimals, as every figure
// of the program does, whatever the user's locale.
QDoubleSpinBox* numberField() {
    auto* field = new QDoubleSpinBox;
    field->setLocale(QLocale::c());
    return field;
}

QString duration(int64_t seconds) {
    return QString::fromStdString(hoursMinutes(seconds));
}

bool showsChannel(const LogStore& store, int channel) {
    return store.recordCount > 0 && static_cast<uint32_t>(channel) < store.channelCount;
}

}  // namespace

CLimitsPane::CLimitsPane(AppData& data, QWidget* parent) : PaneWidget(parent), data_(data) {
    setObjectName("limitsPane");
    auto* inner = new QWidget;
    auto* column = new QVBoxLayout(inner);

    auto* log = new QFormLayout;
    firstRecord_ = new QLabel(kNoValueText);
    lastRecord_ = new QLabel(kNoValueText);
    logInterval_ = new QLabel(kNoValueText);
    activationEnergy_ = numberField();
    activationEnergy_->setDecimals(kEnergyDecimals);
    activationEnergy_->setRange(kMinActivationEnergy, kMaxActivationEnergy);
    activationEnergy_->setSuffix(QStringLiteral(" kJ/mol"));
    activationEnergy_->setKeyboardTracking(false);
    log->addRow(tr("First record"), firstRecord_);
    log->addRow(tr("Last record"), lastRecord_);
    log->addRow(tr("Log interval"), logInterval_);
    log->addRow(tr("Activation energy"), activationEnergy_);
    verdict_ = new QLabel(windowText(kNoLimitsText));
    log->addRow(tr("Verdict"), verdict_);
    column->addLayout(log);

    loggerLimits_ = new QPushButton(windowText(kLoggerLimitsText));
    loggerLimits_->setEnabled(false);
    loggerLimitsValues_ = new QLabel;
    loggerLimitsValues_->setWordWrap(true);
    column->addWidget(loggerLimits_);
    column->addWidget(loggerLimitsValues_);

    for (int c = 0; c < kChannels; ++c) {
        buildChannel(c);
        column->addWidget(rows_[index(c)].box);
    }
    column->addStretch(1);

    // A log of four channels is taller than a low window.
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(inner);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);
    setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(activationEnergy_);

    connect(activationEnergy_, &QDoubleSpinBox::valueChanged, this, [this](double kilojoules) {
        data_.display.activationEnergy = kilojoules * kJoulesPerKilojoule;
        showFigures();
        emit activationEnergyEdited();
    });
    connect(loggerLimits_, &QPushButton::clicked, this, &CLimitsPane::takeLoggerLimits);
    refresh();
}

void CLimitsPane::buildChannel(int channel) {
    ChannelRow& row = rows_[index(channel)];
    row.box = new QGroupBox;
    auto* form = new QFormLayout(row.box);
    // The longest excursion's start is wider than a docked pane's field
    // column: such a row puts its value under its title.
    form->setRowWrapPolicy(QFormLayout::WrapLongRows);
    auto limitField = [&](QCheckBox*& set, QDoubleSpinBox*& field, const QString& title) {
        set = new QCheckBox;
        set->setToolTip(tr("Set or clear the limit"));
        field = numberField();
        field->setDecimals(kLimitDecimals);
        field->setRange(-kLimitRange, kLimitRange);
        // A number is taken when typed in full, not at each of its digits.
        field->setKeyboardTracking(false);
        field->setEnabled(false);
        auto* line = new QHBoxLayout;
        line->addWidget(set);
        line->addWidget(field, 1);
        form->addRow(title, line);
        connect(set, &QCheckBox::toggled, this, [this, channel, field](bool on) {
            field->setEnabled(on);
            takeEdit(channel);
        });
        connect(field, &QDoubleSpinBox::valueChanged, this, [this, channel] { takeEdit(channel); });
    };
    auto ruleField = [&](QComboBox*& choice, QSpinBox*& minutes, const QString& title) {
        choice = new QComboBox;
        for (const char* name : kRuleNames) choice->addItem(windowText(name));
        minutes = new QSpinBox;
        minutes->setRange(0, kMostRuleMinutes);
        minutes->setSuffix(tr(" min"));
        minutes->setKeyboardTracking(false);
        minutes->setEnabled(false);
        auto* line = new QHBoxLayout;
        line->addWidget(choice, 1);
        line->addWidget(minutes);
        form->addRow(title, line);
        connect(choice, &QComboBox::currentIndexChanged, this, [this, channel, minutes](int kind) {
            minutes->setEnabled(kind != static_cast<int>(AlarmRuleKind::AnyReading));
            takeEdit(channel);
        });
        connect(minutes, &QSpinBox::valueChanged, this, [this, channel] { takeEdit(channel); });
    };
    limitField(row.highSet, row.high, tr("High limit"));
    ruleField(row.highRule, row.highMinutes, tr("Broken by"));
    limitField(row.lowSet, row.low, tr("Low limit"));
    ruleField(row.lowRule, row.lowMinutes, tr("Broken by"));
    row.verdict = new QLabel(kNoValueText);
    row.above = new QLabel;
    row.below = new QLabel;
    row.excursions = new QLabel;
    row.longest = new QLabel;
    row.gaps = new QLabel;
    row.longestGap = new QLabel;
    row.kineticTitle = new QLabel(tr("Mean kinetic temperature"));
    row.kinetic = new QLabel;
    form->addRow(tr("Verdict"), row.verdict);
    form->addRow(tr("Time above high"), row.above);
    form->addRow(tr("Time below low"), row.below);
    form->addRow(tr("Excursions"), row.excursions);
    form->addRow(tr("Longest excursion"), row.longest);
    form->addRow(tr("Gaps"), row.gaps);
    form->addRow(tr("Longest gap"), row.longestGap);
    form->addRow(row.kineticTitle, row.kinetic);
}

void CLimitsPane::refresh() {
    const LogStore& store = data_.log.store;
    const bool any = store.recordCount > 0;
    firstRecord_->setText(any ? recordTime(store, 0) : kNoValueText);
    lastRecord_->setText(any ? recordTime(store, store.recordCount - 1) : kNoValueText);
    const std::optional<int64_t> interval = logIntervalSeconds(store);
    logInterval_->setText(interval ? tr("%1 s").arg(*interval) : kNoValueText);
    {
        const QSignalBlocker blocker(activationEnergy_);
        activationEnergy_->setValue(data_.display.activationEnergy / kJoulesPerKilojoule);
    }
    for (int c = 0; c < kChannels; ++c) {
        ChannelRow& row = rows_[index(c)];
        row.box->setVisible(showsChannel(store, c));
        const std::string_view unit = shownUnitText(store, c, data_.display.fahrenheit);
        row.box->setTitle(
            unit.empty() ? tr("%1 channel").arg(windowText(kOrdinals[c]))
                         : tr("%1 channel (%2)").arg(windowText(kOrdinals[c]), fromView(unit)));
        showLimits(c);
    }
    showFigures();
}

// The fields show the limits in the unit shown; a limit not set shows where
// the channel went, a start for setting it.
void CLimitsPane::showLimits(int channel) {
    ChannelRow& row = rows_[index(channel)];
    const LogStore& store = data_.log.store;
    const ChannelLimit& limit = data_.display.limits[index(channel)];
    const std::string_view unit = shownUnitText(store, channel, data_.display.fahrenheit);
    const QString suffix = unit.empty() ? QString() : " " + fromView(unit);
    auto show = [&](QCheckBox* set, QDoubleSpinBox* field, const std::optional<float>& value,
                    float channelEdge) {
        const QSignalBlocker blockSet(set);
        const QSignalBlocker blockField(field);
        set->setChecked(value.has_value());
        field->setEnabled(value.has_value());
        field->setSuffix(suffix);
        const float stored = value ? *value : (store.recordCount > 0 ? channelEdge : 0.0f);
        field->setValue(shownValue(store, channel, stored, data_.display.fahrenheit));
    };
    show(row.highSet, row.high, limit.high, store.maxValue[channel]);
    show(row.lowSet, row.low, limit.low, store.minValue[channel]);
    auto showRule = [](QComboBox* choice, QSpinBox* minutes, const AlarmRule& rule) {
        const QSignalBlocker blockChoice(choice);
        const QSignalBlocker blockMinutes(minutes);
        choice->setCurrentIndex(static_cast<int>(rule.kind));
        minutes->setValue(rule.minutes);
        minutes->setEnabled(rule.kind != AlarmRuleKind::AnyReading);
    };
    showRule(row.highRule, row.highMinutes, limit.highRule);
    showRule(row.lowRule, row.lowMinutes, limit.lowRule);
}

void CLimitsPane::showFigures() {
    const LogAnalysis analysis =
        analyzeLog(data_.log.store, data_.display.limits, data_.display.activationEnergy);
    for (int c = 0; c < kChannels; ++c) showChannelFigures(c, analysis.channels[index(c)]);
    const bool judged = analysis.verdict != Verdict::None;
    verdict_->setText(windowText(!judged                             ? kNoLimitsText
                                 : analysis.verdict == Verdict::Pass ? kPassText
                                                                     : kFailText));
    verdict_->setStyleSheet(!judged                             ? QString()
                            : analysis.verdict == Verdict::Pass ? kPassStyle
                                                                : kFailStyle);
}

void CLimitsPane::showChannelFigures(int channel, const ChannelAnalysis& analysis) {
    ChannelRow& row = rows_[index(channel)];
    const LogStore& store = data_.log.store;
    if (!showsChannel(store, channel)) return;
    const ExcursionSummary& summary = analysis.summary;
    switch (analysis.verdict) {
        case Verdict::Pass:
            row.verdict->setText(windowText(kPassText));
            row.verdict->setStyleSheet(kPassStyle);
            break;
        case Verdict::Fail:
            row.verdict->setText(
                windowText(analysis.failedSide == LimitSide::Above ? kFailHighText : kFailLowText));
            row.verdict->setStyleSheet(kFailStyle);
            break;
        default:
            row.verdict->setText(kNoValueText);
            row.verdict->setStyleSheet({});
    }
    row.above->setText(duration(summary.secondsAbove));
    row.below->setText(duration(summary.secondsBelow));
    row.excursions->setText(QString::number(summary.excursions));
    if (summary.longestStart >= 0) {
        row.longest->setText(
            tr("%1 from %2")
                .arg(duration(summary.longestSeconds),
                     recordTime(store, static_cast<uint32_t>(summary.longestStart))));
    } else {
        row.longest->setText(kNoValueText);
    }
    showGaps(channel, summary.gaps);
    const bool temperature = isTemperatureUnit(store.unitTexts[index(channel)]);
    row.kineticTitle->setVisible(temperature);
    row.kinetic->setVisible(temperature);
    if (!temperature) return;
    const std::optional<double>& mkt = analysis.mkt;
    if (!mkt) {
        row.kinetic->setText(kNoValueText);
        return;
    }
    const float shown =
        shownValue(store, channel, static_cast<float>(*mkt), data_.display.fahrenheit);
    row.kinetic->setText(QString("%1 %2").arg(
        oneDecimal(shown), fromView(shownUnitText(store, channel, data_.display.fahrenheit))));
}

// The time without data, as the log's own interval finds it.
void CLimitsPane::showGaps(int channel, const GapSummary& gaps) {
    ChannelRow& row = rows_[index(channel)];
    row.gaps->setText(gaps.count == 0
                          ? QString("0")
                          : tr("%1, no data %2").arg(gaps.count).arg(duration(gaps.seconds)));
    const auto start = gaps.longestStart ? stampOfSeconds(*gaps.longestStart) : std::nullopt;
    row.longestGap->setText(
        start ? tr("%1 from %2")
                    .arg(duration(gaps.longestSeconds), QString::fromStdString(stampText(*start)))
              : QString(kNoValueText));
}

// A value typed in °F is kept in the channel's own unit.
void CLimitsPane::takeEdit(int channel) {
    const ChannelRow& row = rows_[index(channel)];
    const LogStore& store = data_.log.store;
    const bool fahrenheit = showsFahrenheit(store, channel, data_.display.fahrenheit);
    auto stored = [&](const QCheckBox* set, const QDoubleSpinBox* field) -> std::optional<float> {
        if (!set->isChecked()) return std::nullopt;
        const auto value = static_cast<float>(field->value());
        return fahrenheit ? toCelsius(value) : value;
    };
    auto rule = [](const QComboBox* choice, const QSpinBox* minutes) {
        return AlarmRule{static_cast<AlarmRuleKind>(choice->currentIndex()), minutes->value()};
    };
    ChannelLimit& limit = data_.display.limits[index(channel)];
    limit.high = stored(row.highSet, row.high);
    limit.low = stored(row.lowSet, row.low);
    limit.highRule = rule(row.highRule, row.highMinutes);
    limit.lowRule = rule(row.lowRule, row.lowMinutes);
    showFigures();
    emit limitsEdited();
}

void CLimitsPane::takeMove(PaneMove move) {
    switch (move) {
        case PaneMove::Fill:
        case PaneMove::ShowChoices:
            refresh();
            return;
        case PaneMove::OfferLoggerLimits:
            offerLoggerLimits();
            return;
        default:
            return;
    }
}

void CLimitsPane::offerLoggerLimits() {
    offered_ = loggerLimits(data_.log.setup);
    QStringList lines;
    for (int c = 0; c < kChannels; ++c) {
        const ChannelLimit& offered = offered_[index(c)];
        lines << tr("%1: high %2, low %3")
                     .arg(windowText(kOrdinals[c]))
                     .arg(oneDecimal(static_cast<double>(offered.high.value_or(0.0f))),
                          oneDecimal(static_cast<double>(offered.low.value_or(0.0f))));
    }
    loggerLimitsValues_->setText(lines.join("\n"));
    loggerLimits_->setEnabled(true);
}

// The logger's limits in the channel's own unit, as offered: an edit of the
// setup grid since changes nothing here.
void CLimitsPane::takeLoggerLimits() {
    // The logger knows no rules: each limit keeps the one chosen for it.
    for (int c = 0; c < kChannels; ++c) {
        ChannelLimit& limit = data_.display.limits[index(c)];
        limit.high = offered_[index(c)].high;
        limit.low = offered_[index(c)].low;
    }
    refresh();
    emit limitsEdited();
}
