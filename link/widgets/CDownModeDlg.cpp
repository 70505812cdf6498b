#include "link/widgets/CDownModeDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/widgets/ResourceImages.h"

namespace {

constexpr int kWidthDlu = 220;
constexpr int kHeightDlu = 70;

}  // namespace

CDownModeDlg::CDownModeDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Download Logs"));
    auto* text = new QLabel(
        QString::fromUtf8("There are two kinds of log in the logger : Auto and Manu. "), this);
    text->setWordWrap(true);

    auto* autoLogs = new QPushButton(QStringLiteral("Auto Logs"), this);
    autoLogs->setObjectName(QStringLiteral("button1036"));
    auto* manuLogs = new QPushButton(QStringLiteral("Manu Logs"), this);
    manuLogs->setObjectName(QStringLiteral("button1037"));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("button2"));
    autoLogs->setDefault(true);
    connect(autoLogs, &QPushButton::clicked, this, [this] { done(kAutoLogs); });
    connect(manuLogs, &QPushButton::clicked, this, [this] { done(kManuLogs); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(autoLogs);
    buttons->addWidget(manuLogs);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text, 1);
    layout->addLayout(buttons);
    resize(dialogUnits(this, kWidthDlu, kHeightDlu));
}
