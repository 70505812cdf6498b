#pragma once

#include <QComboBox>
#include <QRect>
#include <QSize>

// A date field of the Query pane: an editable combo box whose own list never
// shows. Dropping it down opens a modal calendar under it instead; the day
// confirmed there becomes the text as eight digits YYYYMMDD, a dismissed
// calendar leaves "Please select date".
class CDatePickerCombo : public QComboBox {
    Q_OBJECT

public:
    static constexpr const char* kNoDateText = QT_TRANSLATE_NOOP("Dravin", "Please select date");
    // Room around the calendar, added to its minimum size each way.
    static constexpr int kPopupMargin = 4;

    explicit CDatePickerCombo(QWidget* parent = nullptr);

    // Opens the calendar popup (object name "calendarPopup", its calendar
    // "calendar", its button "todayButton") and sets the text from it.
    void showPopup() override;

    // Where a popup of `size` opens, in screen coordinates: its right edge on
    // the combo's right edge, its top on the combo's bottom edge.
    QRect popupGeometry(QSize size) const;
};
