#pragma once

#include <QDialog>
#include <QString>

// Asks which of the logger's two kinds of log, Auto or Manu, to act on.
// exec() returns the id of the button pressed or 0 (Cancel); each button is
// named "button" and its id.
class CLogKindDlg : public QDialog {
    Q_OBJECT

protected:
    // Which button Enter presses.
    enum class EnterKey { AutoLogs, Cancel };

    CLogKindDlg(const QString& title, const QString& text, int autoId, int manuId, EnterKey enter,
                QWidget* parent);
};
