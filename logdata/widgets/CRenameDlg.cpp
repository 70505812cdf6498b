#include "logdata/widgets/CRenameDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/widgets/ResourceImages.h"

namespace {

constexpr int kWidthDlu = 192;
constexpr int kHeightDlu = 94;
constexpr int kOkId = 1;
constexpr int kCancelId = 2;

QPushButton* idButton(const QString& caption, int id, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QStringLiteral("button%1").arg(id));
    return button;
}

}  // namespace

CRenameDlg::CRenameDlg(QWidget* parent) : QDialog(parent), edit_(new QLineEdit(this)) {
    setObjectName(QStringLiteral("dialog%1").arg(kResourceId));
    setWindowTitle(tr("Rename"));
    auto* ok = idButton(tr("OK"), kOkId, this);
    auto* cancel = idButton(tr("Cancel"), kCancelId, this);
    ok->setDefault(true);
    edit_->setObjectName(QStringLiteral("edit%1").arg(kNameEditId));
    auto* format = new QLabel(tr("Filename format: *_*.drav"), this);
    auto* label = new QLabel(tr("New Name:"), this);
    label->setBuddy(edit_);

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(label);
    nameRow->addWidget(edit_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ok);
    buttons->addStretch();
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(format);
    layout->addLayout(nameRow);
    layout->addStretch();
    layout->addLayout(buttons);
    resize(dialogUnits(this, kWidthDlu, kHeightDlu));

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CRenameDlg::setNewName(const QString& name) {
    newName_ = name;
    edit_->setText(name);
}

void CRenameDlg::showEvent(QShowEvent* event) {
    edit_->setText(newName_);
    // Typing replaces the pattern shown.
    edit_->selectAll();
    edit_->setFocus(Qt::OtherFocusReason);
    QDialog::showEvent(event);
}

void CRenameDlg::accept() {
    newName_ = edit_->text();
    QDialog::accept();
}
