#pragma once

#include <QMessageBox>
#include <cstdint>

#include "ui/widgets/PaneWidget.h"

struct AppData;
struct LogStore;
class FrameUi;
class CDatePickerCombo;
class QPushButton;
class QTimeEdit;

// Content of the Query pane: From and To, each a date field with a calendar
// and a time of day, and the Query button that cuts the log to that range.
// The main frame creates it the first time its pane shows.
class CDatePickerDlg : public PaneWidget {
    Q_OBJECT

public:
    static constexpr const char* kChooseFirstText =
        QT_TRANSLATE_NOOP("Dravin", "Please select date and time first.");
    static constexpr const char* kNoMatchText = QT_TRANSLATE_NOOP("Dravin", "No matched logs.");

    CDatePickerDlg(AppData& data, FrameUi& ui, QWidget* parent = nullptr);

    // The Query button: nothing while realtime sampling runs or the log is
    // empty; otherwise reads the fields and runs the query on a chosen range.
    void query();
    // From and To show the first and the last record of `store`, so that a
    // query is one change away; nothing for an empty store.
    void startAtLog(const LogStore& store);
    // StartAtLog: startAtLog() with the record's store.
    void takeMove(PaneMove move) override;

    CDatePickerCombo* fromDateField() const { return fromDateField_; }
    CDatePickerCombo* toDateField() const { return toDateField_; }
    QTimeEdit* fromTimeField() const { return fromTimeField_; }
    QTimeEdit* toTimeField() const { return toTimeField_; }
    QPushButton* queryButton() const { return queryButton_; }

    // The range as the fields last gave it: dates YYYYMMDD (0 when the field
    // does not hold eight characters), times of day hhmmss.
    int32_t fromDate = 0;
    int32_t toDate = 0;
    int32_t fromTime = 0;
    int32_t toTime = 0;

protected:
    // Enter in any field runs the query: the button is the pane's default.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildForm();
    void connectFields();
    void readFields();
    void tell(QMessageBox::Icon icon, const char* text);

    AppData& data_;
    FrameUi& ui_;
    CDatePickerCombo* fromDateField_;
    CDatePickerCombo* toDateField_;
    QTimeEdit* fromTimeField_;
    QTimeEdit* toTimeField_;
    QPushButton* queryButton_;
};
