#include "views/widgets/CDatePickerDlg.h"

#include <QGridLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTime>
#include <QTimeEdit>
#include <QVBoxLayout>
#include <string_view>

#include "logdata/LogStore.h"
#include "logdata/ProfileFile.h"
#include "logdata/StampText.h"
#include "record/AppData.h"
#include "ui/widgets/WindowTexts.h"
#include "views/DateQuery.h"
#include "views/widgets/CDatePickerCombo.h"

namespace {

constexpr int kQueryIconSize = 24;
constexpr int kDateDigits = 8;  // "YYYYMMDD"

CDatePickerCombo* makeDateField(QWidget* form, const char* name) {
    auto* field = new CDatePickerCombo(form);
    field->setObjectName(name);
    field->setMinimumContentsLength(kDateDigits);
    // Enter runs the query; it does not add the date to a list nobody sees.
    field->setInsertPolicy(QComboBox::NoInsert);
    field->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    return field;
}

QTimeEdit* makeTimeField(QWidget* form, const char* name) {
    auto* field = new QTimeEdit(QTime::currentTime(), form);
    field->setObjectName(name);
    field->setDisplayFormat("HH:mm:ss");
    field->setAlignment(Qt::AlignRight);
    return field;
}

int32_t timeOfDay(const QTimeEdit* field) {
    const QTime time = field->time();
    return time.hour() * 10000 + time.minute() * 100 + time.second();
}

int32_t dateOf(const CDatePickerCombo* field) {
    return dateFieldValue(field->currentText().toStdString());
}

// A timestamp's date as the date field writes it, its time of day in the picker.
void showStamp(std::string_view stamp, CDatePickerCombo* date, QTimeEdit* time) {
    if (stamp.size() < static_cast<std::size_t>(kTimestampLength)) return;
    date->setEditText(QString::fromLatin1(stamp.data(), kDateDigits));
    const QTime shown(stampDigits(stamp, kHourAt, kPartDigits),
                      stampDigits(stamp, kMinuteAt, kPartDigits),
                      stampDigits(stamp, kSecondAt, kPartDigits));
    if (shown.isValid()) time->setTime(shown);
}

}  // namespace

CDatePickerDlg::CDatePickerDlg(AppData& data, FrameUi& ui, QWidget* parent)
    : PaneWidget(parent), data_(data), ui_(ui) {
    setObjectName("queryPane");
    buildForm();
    connectFields();
    // Showing the pane puts the keyboard focus into the From date.
    setFocusProxy(fromDateField_);
}

// From and To, each a date and a time, on two rows with the Query button
// below them. A grid rather than fixed places: the fields take the room their
// texts need in the font the desktop gives them, so no date is cut off.
void CDatePickerDlg::buildForm() {
    auto* form = new QWidget(this);
    form->setObjectName("queryForm");
    auto* grid = new QGridLayout(form);
    fromDateField_ = makeDateField(form, "fromDate");
    fromTimeField_ = makeTimeField(form, "fromTime");
    toDateField_ = makeDateField(form, "toDate");
    toTimeField_ = makeTimeField(form, "toTime");
    grid->addWidget(new QLabel(tr("From:"), form), 0, 0);
    grid->addWidget(fromDateField_, 0, 1);
    grid->addWidget(fromTimeField_, 0, 2);
    grid->addWidget(new QLabel(tr("To:"), form), 1, 0);
    grid->addWidget(toDateField_, 1, 1);
    grid->addWidget(toTimeField_, 1, 2);
    queryButton_ = new QPushButton(QIcon(":/res/bmp175.svg"), tr("Query"), form);
    queryButton_->setObjectName("queryButton");
    queryButton_->setIconSize(QSize(kQueryIconSize, kQueryIconSize));
    queryButton_->setDefault(true);
    grid->setRowMinimumHeight(2, queryButton_->sizeHint().height() / 2);
    grid->addWidget(queryButton_, 3, 0, 1, 3, Qt::AlignHCenter);
    auto* page = new QVBoxLayout(this);
    page->addWidget(form, 0, Qt::AlignLeft);
    page->addStretch(1);
}

void CDatePickerDlg::connectFields() {
    connect(fromDateField_, &QComboBox::currentTextChanged, this,
            [this](const QString& text) { fromDate = dateFieldValue(text.toStdString()); });
    connect(toDateField_, &QComboBox::currentTextChanged, this,
            [this](const QString& text) { toDate = dateFieldValue(text.toStdString()); });
    // The pickers show eight characters, so these give 0; the Query button
    // reads the times from the pickers' values instead.
    connect(fromTimeField_, &QTimeEdit::timeChanged, this,
            [this] { fromTime = timeFieldValue(fromTimeField_->text().toStdString()); });
    connect(toTimeField_, &QTimeEdit::timeChanged, this,
            [this] { toTime = timeFieldValue(toTimeField_->text().toStdString()); });
    connect(queryButton_, &QPushButton::clicked, this, &CDatePickerDlg::query);
}

void CDatePickerDlg::readFields() {
    fromDate = dateOf(fromDateField_);
    toDate = dateOf(toDateField_);
    fromTime = timeOfDay(fromTimeField_);
    toTime = timeOfDay(toTimeField_);
}

void CDatePickerDlg::query() {
    // Realtime sampling is filling the store, and an empty log has no file
    // to reload.
    if (data_.link.realtimeActive || data_.log.store.recordCount == 0) return;
    readFields();
    const DateRange range{fromDate, fromTime, toDate, toTime};
    if (!datesChosen(range)) {
        tell(QMessageBox::Critical, kChooseFirstText);
        return;
    }
    if (runDateQuery(data_, ui_, range).kind == OutcomeKind::NoMatch) {
        tell(QMessageBox::Warning, kNoMatchText);
    }
}

void CDatePickerDlg::takeMove(PaneMove move) {
    if (move == PaneMove::StartAtLog) startAtLog(data_.log.store);
}

void CDatePickerDlg::startAtLog(const LogStore& store) {
    if (store.recordCount == 0) return;
    showStamp(store.timestamp(0), fromDateField_, fromTimeField_);
    showStamp(store.timestamp(store.recordCount - 1), toDateField_, toTimeField_);
}

// The fields leave Enter to their parent; a dialog would give it to its
// default button, and so does the pane.
void CDatePickerDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        queryButton_->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void CDatePickerDlg::tell(QMessageBox::Icon icon, const char* text) {
    QMessageBox box(icon, kProfileApplication, windowText(text), QMessageBox::Ok, this);
    box.exec();
}
