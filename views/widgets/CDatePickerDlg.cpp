#include "views/widgets/CDatePickerDlg.h"

#include <QFontMetrics>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QTime>
#include <QTimeEdit>

#include "app/widgets/Profile.h"
#include "base/AppData.h"
#include "views/DateQuery.h"
#include "views/widgets/CDatePickerCombo.h"

namespace {

// A control's place on the form in dialog units.
struct DialogRect {
    int x, y, width, height;
};

// The form and its controls, as the pane was laid out in dialog units.
constexpr DialogRect kFormRect{0, 0, 133, 205};
constexpr DialogRect kFromLabelRect{6, 18, 20, 8};
constexpr DialogRect kFromDateRect{28, 16, 47, 12};
constexpr DialogRect kFromTimeRect{81, 15, 42, 12};
constexpr DialogRect kToLabelRect{6, 36, 12, 8};
constexpr DialogRect kToDateRect{28, 35, 47, 12};
constexpr DialogRect kToTimeRect{81, 34, 42, 12};
constexpr DialogRect kQueryRect{35, 69, 54, 17};
constexpr int kQueryIconSize = 24;

// Dialog units to pixels with the form's font: a horizontal unit is a quarter
// of the average character width, a vertical one an eighth of the height.
QRect toPixels(const QFontMetrics& metrics, const DialogRect& r) {
    const int baseX = metrics.averageCharWidth();
    const int baseY = metrics.height();
    return QRect(r.x * baseX / 4, r.y * baseY / 8, r.width * baseX / 4, r.height * baseY / 8);
}

// Places `control` on the form, never smaller than it can be drawn.
void place(QWidget* control, const DialogRect& r) {
    const QRect rect = toPixels(control->parentWidget()->fontMetrics(), r);
    control->setGeometry(QRect(rect.topLeft(), rect.size().expandedTo(control->minimumSizeHint())));
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

}  // namespace

CDatePickerDlg::CDatePickerDlg(AppData& data, FrameUi& ui, QWidget* parent)
    : QWidget(parent), data_(data), ui_(ui) {
    setObjectName("queryPane");
    buildForm();
    connectFields();
    // Showing the pane puts the keyboard focus into the From date.
    setFocusProxy(fromDateField_);
}

void CDatePickerDlg::buildForm() {
    auto* form = new QWidget(this);
    form->setObjectName("queryForm");
    form->resize(toPixels(form->fontMetrics(), kFormRect).size());
    place(new QLabel(QStringLiteral("From:"), form), kFromLabelRect);
    place(new QLabel(QStringLiteral("To:"), form), kToLabelRect);
    fromDateField_ = new CDatePickerCombo(form);
    fromDateField_->setObjectName("fromDate");
    place(fromDateField_, kFromDateRect);
    fromTimeField_ = makeTimeField(form, "fromTime");
    place(fromTimeField_, kFromTimeRect);
    toDateField_ = new CDatePickerCombo(form);
    toDateField_->setObjectName("toDate");
    place(toDateField_, kToDateRect);
    toTimeField_ = makeTimeField(form, "toTime");
    place(toTimeField_, kToTimeRect);
    queryButton_ = new QPushButton(QIcon(":/res/bmp175.svg"), QStringLiteral("Query"), form);
    queryButton_->setObjectName("queryButton");
    queryButton_->setIconSize(QSize(kQueryIconSize, kQueryIconSize));
    queryButton_->setDefault(true);
    place(queryButton_, kQueryRect);
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
    if (data_.link.realtimeActive || data_.store.recordCount == 0) return;
    readFields();
    const DateRange range{fromDate, fromTime, toDate, toTime};
    if (!datesChosen(range)) {
        tell(QMessageBox::Critical, kChooseFirstText);
        return;
    }
    if (runDateQuery(data_, ui_, range) == QueryResult::NoMatch) {
        tell(QMessageBox::Warning, kNoMatchText);
    }
}

void CDatePickerDlg::tell(QMessageBox::Icon icon, const char* text) {
    QMessageBox box(icon, kApplicationName, text, QMessageBox::Ok, this);
    box.exec();
}
