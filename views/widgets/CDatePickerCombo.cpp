#include "views/widgets/CDatePickerCombo.h"

#include <QCalendarWidget>
#include <QDate>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/widgets/WindowTexts.h"

namespace {

QString dateText(QDate day) {
    return QString::asprintf("%04d%02d%02d", day.year(), day.month(), day.day());
}

// The calendar with its Today button below, as one control.
QWidget* makeCalendarControl(QDialog& popup, QCalendarWidget*& calendar, QPushButton*& today) {
    auto* control = new QWidget(&popup);
    calendar = new QCalendarWidget(control);
    calendar->setObjectName("calendar");
    today = new QPushButton(CDatePickerCombo::tr("Today"), control);
    today->setObjectName("todayButton");
    today->setAutoDefault(false);
    auto* layout = new QVBoxLayout(control);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(calendar);
    layout->addWidget(today);
    return control;
}

// Runs the calendar popup modally, owned by `combo`: a day clicked or
// activated, or Today, confirms; Escape or closing dismisses. Returns the day
// confirmed, or an invalid date.
QDate pickDay(CDatePickerCombo& combo) {
    QDialog popup(&combo, Qt::Dialog | Qt::FramelessWindowHint);
    popup.setObjectName("calendarPopup");
    QCalendarWidget* calendar = nullptr;
    QPushButton* today = nullptr;
    QWidget* control = makeCalendarControl(popup, calendar, today);
    auto* layout = new QVBoxLayout(&popup);
    const int margin = CDatePickerCombo::kPopupMargin / 2;
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->addWidget(control);

    QDate chosen;
    const auto confirm = [&](QDate day) {
        chosen = day;
        popup.accept();
    };
    QObject::connect(calendar, &QCalendarWidget::clicked, &popup, confirm);
    QObject::connect(calendar, &QCalendarWidget::activated, &popup, confirm);
    QObject::connect(today, &QPushButton::clicked, &popup, [&] { confirm(QDate::currentDate()); });

    const QSize margins(CDatePickerCombo::kPopupMargin, CDatePickerCombo::kPopupMargin);
    popup.setGeometry(combo.popupGeometry(control->minimumSizeHint() + margins));
    return popup.exec() == QDialog::Accepted ? chosen : QDate();
}

}  // namespace

CDatePickerCombo::CDatePickerCombo(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    // Enter in the field must not grow a list that never shows.
    setInsertPolicy(QComboBox::NoInsert);
}

void CDatePickerCombo::showPopup() {
    const QDate day = pickDay(*this);
    setEditText(day.isValid() ? dateText(day) : windowText(kNoDateText));
    lineEdit()->selectAll();
}

// Under the field, right edges together; moved back onto the screen where
// that would put it past an edge (a field near the screen's left edge).
QRect CDatePickerCombo::popupGeometry(QSize size) const {
    const QPoint bottomRight = mapToGlobal(QPoint(width(), height()));
    QRect placed(QPoint(bottomRight.x() - size.width(), bottomRight.y()), size);
    if (const QScreen* shown = screen()) {
        const QRect room = shown->availableGeometry();
        placed.moveLeft(std::clamp(placed.left(), room.left(),
                                   std::max(room.left(), room.right() + 1 - size.width())));
        placed.moveTop(std::clamp(placed.top(), room.top(),
                                  std::max(room.top(), room.bottom() + 1 - size.height())));
    }
    return placed;
}
