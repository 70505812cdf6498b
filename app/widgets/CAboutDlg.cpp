#include "app/widgets/CAboutDlg.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/widgets/CMainFrame.h"
#include "record/AppData.h"
#include "ui/widgets/ResourceImages.h"

namespace {

constexpr int kWidthDlu = 155;
constexpr int kHeightDlu = 88;

QLabel* centredLine(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

// Where the settings and logs are kept, told when that is not beside the
// program (an installed copy): the user looks there for the logs.
QString dataFolderLine(QWidget* parent) {
    auto* frame = qobject_cast<CMainFrame*>(parent);
    if (frame == nullptr) return {};
    const std::string& folder = frame->appData().programDir;
    if (folder.empty() || folder == executableDir()) return {};
    return QCoreApplication::translate("Dravin", "Settings and logs: %1")
        .arg(QString::fromStdString(folder));
}

}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("About Dravin"));
    setWindowIcon(resourceIcon(kAppIcon));
    setSizeGripEnabled(true);

    auto* ok = new QPushButton(tr("OK"), this);
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
    layout->addWidget(centredLine(tr("Dravin for KM3xx/5xx Data Loggers. Ver 1.21 B923"), this));
    layout->addWidget(centredLine(QStringLiteral("ZERIN ELECTRONIC CO., LTD."), this));
    const QString folder = dataFolderLine(parent);
    if (!folder.isEmpty()) {
        auto* line = new QLabel(folder, this);
        line->setObjectName(QStringLiteral("dataFolder"));
        line->setAlignment(Qt::AlignCenter);
        line->setWordWrap(true);
        line->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout->addWidget(line);
    }
    layout->addStretch();
    layout->addLayout(buttons);
    resize(dialogUnits(this, kWidthDlu, kHeightDlu));
}
