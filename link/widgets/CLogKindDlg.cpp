#include "link/widgets/CLogKindDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/widgets/ResourceImages.h"

namespace {

constexpr int kWidthDlu = 220;
constexpr int kHeightDlu = 70;
constexpr int kCancelId = 2;

QPushButton* idButton(const QString& caption, int id, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QStringLiteral("button") + QString::number(id));
    return button;
}

}  // namespace

CLogKindDlg::CLogKindDlg(const QString& title, const QString& text, int autoId, int manuId,
                         EnterKey enter, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(title);
    auto* label = new QLabel(text, this);
    label->setWordWrap(true);

    auto* autoLogs = idButton(tr("Auto Logs"), autoId, this);
    auto* manuLogs = idButton(tr("Manu Logs"), manuId, this);
    auto* cancel = idButton(tr("Cancel"), kCancelId, this);
    if (enter == EnterKey::Cancel) {
        // Not even the focused choice takes Enter: only a click or Space acts.
        autoLogs->setAutoDefault(false);
        manuLogs->setAutoDefault(false);
        cancel->setDefault(true);
        cancel->setFocus();
    } else {
        autoLogs->setDefault(true);
    }
    connect(autoLogs, &QPushButton::clicked, this, [this, autoId] { done(autoId); });
    connect(manuLogs, &QPushButton::clicked, this, [this, manuId] { done(manuId); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(autoLogs);
    buttons->addWidget(manuLogs);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label, 1);
    layout->addLayout(buttons);
    resize(dialogUnits(this, kWidthDlu, kHeightDlu));
}
