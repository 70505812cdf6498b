#include "app/widgets/CAboutDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/widgets/ResourceImages.h"

namespace {

constexpr int kWidthDlu = 155;
constexpr int kHeightDlu = 88;

QLabel* centredLine(const char* text, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About Dravin"));
    setWindowIcon(resourceIcon(kAppIcon));
    setSizeGripEnabled(true);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("button1"));
    setButtonPicture(ok, kOkBitmap);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addWidget(centredLine("Dravin for KM3xx/5xx Data Loggers. Ver 1.21 B923", this));
    layout->addWidget(centredLine("ZERIN ELECTRONIC CO., LTD.", this));
    layout->addStretch();
    layout->addLayout(buttons);
    resize(dialogUnits(this, kWidthDlu, kHeightDlu));
}
