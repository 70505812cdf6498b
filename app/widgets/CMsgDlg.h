#pragma once

#include <QDialog>
#include <QString>
#include <string>
#include <string_view>

class QPlainTextEdit;
class QProgressBar;
class QPushButton;

// The program's message dialog: a scrollable text with OK and Exit. Opened
// with its buttons disabled it becomes the busy box of a download, which
// cannot be closed until busyUpdate() reports that the operation is over; a
// download's busy box also counts its packages on a bar under the text, and
// offers a Cancel while the download runs.
class CMsgDlg : public QDialog {
    Q_OBJECT

public:
    explicit CMsgDlg(QWidget* parent = nullptr);

    // The text to show, UTF-8; "\r\n" starts a new line.
    void SetMessage(std::string_view utf8);
    // false makes the dialog a busy box: Esc, the close box and both buttons
    // do nothing until busyUpdate(.., true).
    void setButtonsEnabled(bool enabled);
    // Shows `utf8`; `over` enables both buttons for good.
    void busyUpdate(std::string_view utf8, bool over);
    // The bar: `done` of `total`. Without a total (0) the bar is hidden, as
    // it is until the first call.
    void setProgress(int done, int total);
    // A busy box with a Cancel button, which stays until busyUpdate(.., true);
    // its click emits cancelRequested(). The operation still ends by
    // busyUpdate(.., true): the box closes only then.
    void offerCancel();

    // The text as last set, "\r\n" kept.
    QString text() const;
    bool buttonsEnabled() const;

    // The latest CMsgDlg opened with its buttons disabled that is still open,
    // nullptr when there is none. A message dialog opened meanwhile does not
    // take over: the busy box would otherwise stay disabled for ever.
    static CMsgDlg* busyWindow();

    void done(int result) override;

signals:
    void cancelRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void applyButtonState();
    void fitText();

    QString message_;
    QPlainTextEdit* edit_;
    QProgressBar* bar_;
    QPushButton* okButton_;
    QPushButton* exitButton_;
    QPushButton* cancelButton_;
    bool buttonsEnabled_ = true;
    bool cancelOffered_ = false;
};
