#pragma once

#include <QDialog>
#include <QString>
#include <string_view>

class QLineEdit;
class QProgressBar;
class QTimer;

// The progress window: one line of text over an endlessly moving bar, shown
// while a command to the logger is on its way. It takes no input, and its bar
// keeps moving for its whole life, shown or hidden.
class CCommProgressDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int kStepPeriodMs = 500;
    static constexpr int kBarMaximum = 32;

    explicit CCommProgressDlg(QWidget* parent = nullptr);

    // Sets the text, centres the window on its parent and shows it.
    void showWithText(std::string_view utf8);
    void setText(std::string_view utf8);
    QString text() const;

    int position() const;
    // One tick of the bar: 1, 3, 5, ... 31, 1, ...
    void step();

private:
    void centreOnParent();

    QLineEdit* edit_;
    QProgressBar* bar_;
    QTimer* timer_;
    int position_ = 1;
};
