#include "link/widgets/CDSLCom.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>
#include <vector>

#include "link/SerialDevices.h"
#include "ui/widgets/ResourceImages.h"
#include "ui/widgets/WindowTexts.h"

namespace {

constexpr int kWidthDlu = 241;
constexpr int kListedPorts = 9;  // COM1..COM9 are always listed
constexpr int kLastPort = 32;    // the highest COM number an adapter gets
constexpr int kBaudRates[] = {9600, 19200, 38400};

const char* const kNoPortText =
    QT_TRANSLATE_NOOP("Dravin", "Cannot find the USB port, please choose it manually.");

QPushButton* makeButton(const QString& text, const char* name, int picture, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    setButtonPicture(button, picture);
    return button;
}

// The adapter present as `comNumber`, or an empty path.
std::string presentDevice(const std::vector<SerialDevice>& devices, int comNumber) {
    for (const SerialDevice& device : devices) {
        if (device.comNumber == comNumber) return device.path;
    }
    return {};
}

}  // namespace

CDSLCom::CDSLCom(AppSettings& settings, std::string deviceDir, QWidget* parent)
    : QDialog(parent),
      settings_(settings),
      deviceDir_(std::move(deviceDir)),
      portList_(new QComboBox(this)),
      baudList_(new QComboBox(this)),
      deviceLabel_(new QLabel(this)) {
    setWindowTitle(tr("COM Setup"));
    setSizeGripEnabled(true);
    messageBox = [this](const QString& text) {
        QMessageBox::information(this, QStringLiteral("Dravin Software for Data Logger"), text,
                                 QMessageBox::Ok);
    };

    portList_->setObjectName(QStringLiteral("combo1002"));
    fillPortList();
    baudList_->setObjectName(QStringLiteral("combo1003"));
    for (int rate : kBaudRates) baudList_->addItem(QString::number(rate));
    deviceLabel_->setObjectName(QStringLiteral("devicePath"));

    auto* ok = makeButton(tr("OK"), "button1", kOkBitmap, this);
    auto* cancel = makeButton(tr("Cancel"), "button2", kExitBitmap, this);
    auto* autoSearch = makeButton(tr("Auto"), "button1000", kAutoBitmap, this);
    ok->setDefault(true);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(tr("1. Port :"), this), 0, 0);
    fields->addWidget(portList_, 0, 1);
    fields->addWidget(deviceLabel_, 0, 2);
    fields->addWidget(new QLabel(tr("2. Baud:"), this), 1, 0);
    fields->addWidget(baudList_, 1, 1);
    fields->setColumnStretch(1, 1);
    fields->setColumnStretch(2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(autoSearch);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    // The buttons follow the Baud row directly: the dialog is as high as its
    // content, and only its width follows the resource.
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    resize(dialogUnits(this, kWidthDlu, 0).width(), sizeHint().height());

    selectInitialPort();
    selectInitialBaud();
    showDevice();

    // Only what the user picks is written, also the entry already shown.
    connect(portList_, &QComboBox::activated, this, &CDSLCom::onPortPicked);
    connect(baudList_, &QComboBox::activated, this, &CDSLCom::onBaudPicked);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(autoSearch, &QPushButton::clicked, this, &CDSLCom::onAuto);
}

// COM1..COM9, then an entry for each adapter present beyond them; each entry
// carries its COM number, and the adapters present their device as tooltip.
void CDSLCom::fillPortList() {
    const std::vector<SerialDevice> devices = listSerialDevices(deviceDir_);
    portList_->clear();
    for (int com = 1; com <= kListedPorts; ++com) {
        portList_->addItem(QStringLiteral("COM%1").arg(com), com);
    }
    for (const SerialDevice& device : devices) {
        if (device.comNumber > kListedPorts) {
            portList_->addItem(QStringLiteral("COM%1").arg(device.comNumber), device.comNumber);
        }
        portList_->setItemData(portEntry(device.comNumber), QString::fromStdString(device.path),
                               Qt::ToolTipRole);
    }
}

int CDSLCom::portEntry(int comNumber) const {
    return portList_->findData(comNumber);
}

// A port beyond the list's entries (no adapter for it now) shows no choice at
// all, and the saved port stays as it is until the user picks one.
void CDSLCom::selectInitialPort() {
    const int port = settings_.comPort;
    const int entry = portEntry(port);
    if (entry >= 0) {
        portList_->setCurrentIndex(entry);
    } else if (port > kListedPorts && port <= kLastPort) {
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

void CDSLCom::onPortPicked(int index) {
    if (index < 0) return;
    settings_.comPort = portList_->itemData(index).toInt();
    showDevice();
}

void CDSLCom::onBaudPicked(int index) {
    if (index < 0 || index >= std::ssize(kBaudRates)) return;
    settings_.baudRate = kBaudRates[index];
}

void CDSLCom::onAuto() {
    if (!deviceListAvailable(deviceDir_)) return;
    const std::vector<SerialDevice> devices = listSerialDevices(deviceDir_);
    if (devices.empty()) {
        messageBox(windowText(kNoPortText));
        return;
    }
    // An adapter plugged in since the dialog opened gets its entry now.
    fillPortList();
    const int com = devices.front().comNumber;
    portList_->setCurrentIndex(portEntry(com));
    settings_.comPort = com;
    showDevice();
}

// The device that Connect opens for the saved port, named only when it is
// there.
void CDSLCom::showDevice() {
    const std::vector<SerialDevice> devices = listSerialDevices(deviceDir_);
    deviceLabel_->setText(QString::fromStdString(presentDevice(devices, settings_.comPort)));
}
