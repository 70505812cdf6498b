#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;

// Dialog 219 "Rename": asks for the new name of a log file. The name starts
// as "*_*.drav"; the edit box shows it when the dialog opens, and OK takes
// the edit box's text back.
class CRenameDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr int kResourceId = 219;
    static constexpr int kNameEditId = 1019;
    static constexpr const char* kStartName = "*_*.drav";

    explicit CRenameDlg(QWidget* parent = nullptr);

    // The name as last exchanged with the edit box.
    QString newName() const { return newName_; }
    void setNewName(const QString& name);

    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QString newName_ = QString::fromLatin1(kStartName);
    QLineEdit* edit_;
};
