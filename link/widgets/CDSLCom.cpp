#include "link/widgets/CDSLCom.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

#include "link/SerialDevices.h"
#include "ui/widgets/ResourceImages.h"

namespace {

constexpr int kWidthDlu = 241;
constexpr int kHeightDlu = 114;
constexpr int kListedPorts = 9;  // COM1..COM9
constexpr int kBaudRates[] = {9600, 19200, 38400};

const char* const kNoPortText = "Cannot find the USB port, please choose it manually.";
const char* const kInvalidPortText = "The USB port is invalid. Please reset it manually.";

QPushButton* makeButton(const char* text, const char* name, int picture, QWidget* parent) {
    auto* button = new QPushButton(QString::fromUtf8(text), parent);
    button->setObjectName(QString::fromLatin1(name));
    setButtonPicture(button, picture);
    return button;
}

QString devicePathText(const std::string& deviceDir, int comNumber) {
    return QString::fromStdString(devicePathForCom(deviceDir, comNumber));
}

}  // namespace

CDSLCom::CDSLCom(AppSettings& settings, std::string deviceDir, QWidget* parent)
    : QDialog(parent),
      settings_(settings),
      deviceDir_(std::move(deviceDir)),
      portList_(new QComboBox(this)),
      baudList_(new QComboBox(this)),
      deviceLabel_(new QLabel(this)) {
    setWindowTitle(QStringLiteral("COM Setup"));
    setSizeGripEnabled(true);
    messageBox = [this](const QString& text) {
        QMessageBox::information(this, QStringLiteral("Dravin Software for Data Logger"), text,
                                 QMessageBox::Ok);
    };

    portList_->setObjectName(QStringLiteral("combo1002"));
    for (int com = 1; com <= kListedPorts; ++com) {
        portList_->addItem(QStringLiteral("COM%1").arg(com));
        portList_->setItemData(com - 1, devicePathText(deviceDir_, com), Qt::ToolTipRole);
    }
    baudList_->setObjectName(QStringLiteral("combo1003"));
    for (int rate : kBaudRates) baudList_->addItem(QString::number(rate));
    deviceLabel_->setObjectName(QStringLiteral("devicePath"));

    auto* ok = makeButton("OK", "button1", kOkBitmap, this);
    auto* cancel = makeButton("Cancel", "button2", kExitBitmap, this);
    auto* autoSearch = makeButton("Auto", "button1000", kAutoBitmap, this);
    ok->setDefault(true);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("1. Port :"), this), 0, 0);
    fields->addWidget(portList_, 0, 1);
    fields->addWidget(deviceLabel_, 0, 2);
    fields->addWidget(new QLabel(QStringLiteral("2. Baud:"), this), 1, 0);
    fields->addWidget(baudList_, 1, 1);
    fields->setColumnStretch(1, 1);
    fields->setColumnStretch(2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(autoSearch);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addStretch();
    layout->addLayout(buttons);
    resize(dialogUnits(this, kWidthDlu, kHeightDlu));

    selectInitialPort();
    selectInitialBaud();
    showDevice();

    // Connected only now: showing the saved choice writes nothing back.
    connect(portList_, &QComboBox::currentIndexChanged, this, &CDSLCom::onPortChanged);
    connect(baudList_, &QComboBox::currentIndexChanged, this, &CDSLCom::onBaudChanged);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(autoSearch, &QPushButton::clicked, this, &CDSLCom::onAuto);
}

// COM10..COM16 have no entry: the list then shows no choice at all, and the
// saved port stays as it is until the user picks one.
void CDSLCom::selectInitialPort() {
    const int port = settings_.comPort;
    if (port >= 1 && port <= kListedPorts) {
        portList_->setCurrentIndex(port - 1);
    } else if (port > kListedPorts && port <= 16) {
        portList_->setCurrentIndex(-1);
    } else {
        portList_->setCurrentIndex(0);
    }
}

void CDSLCom::selectInitialBaud() {
    baudList_->setCurrentIndex(0);
    for (int i = 0; i < std::ssize(kBaudRates); ++i) {
        if (settings_.baudRate == kBaudRates[i]) baudList_->setCurrentIndex(i);
    }
}

void CDSLCom::onPortChanged(int index) {
    if (index < 0) return;
    settings_.comPort = index + 1;
    showDevice();
}

void CDSLCom::onBaudChanged(int index) {
    if (index < 0 || index >= std::ssize(kBaudRates)) return;
    settings_.baudRate = kBaudRates[index];
}

void CDSLCom::onAuto() {
    if (!deviceListAvailable(deviceDir_)) return;
    const std::vector<SerialDevice> devices = listSerialDevices(deviceDir_);
    if (devices.empty()) {
        messageBox(QString::fromUtf8(kNoPortText));
        return;
    }
    const int com = devices.front().comNumber;
    if (com < 1 || com > kListedPorts) {
        messageBox(QString::fromUtf8(kInvalidPortText));
        return;
    }
    portList_->setCurrentIndex(com - 1);
    settings_.comPort = com;
    showDevice();
}

// The saved port is what Connect opens, also when the list shows COM1 for a
// port it has no entry for.
void CDSLCom::showDevice() {
    deviceLabel_->setText(devicePathText(deviceDir_, settings_.comPort));
}
