#include "app/widgets/CMsgDlg.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "ui/widgets/ResourceImages.h"

namespace {

constexpr int kWidthDlu = 239;
constexpr int kHeightDlu = 78;
// The dialog grows for its text up to this share of the screen; beyond, the
// text scrolls.
constexpr double kMaxScreenShare = 0.75;

QPointer<CMsgDlg>& latestBusyBox() {
    static QPointer<CMsgDlg> box;
    return box;
}

QPushButton* makeButton(const QString& text, const char* name, int picture, QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    setButtonPicture(button, picture);
    return button;
}

// The edit control shows "\r\n" (and a lone "\r") as a line break.
QString shownText(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

}  // namespace

CMsgDlg::CMsgDlg(QWidget* parent)
    : QDialog(parent),
      edit_(new QPlainTextEdit(this)),
      bar_(new QProgressBar(this)),
      okButton_(makeButton(tr("OK"), "button1", kOkBitmap, this)),
      exitButton_(makeButton(tr("Exit"), "button2", kExitBitmap, this)),
      cancelButton_(new QPushButton(tr("Cancel"), this)) {
    setWindowTitle(tr("Messages"));
    setSizeGripEnabled(true);
    edit_->setObjectName(QStringLiteral("edit1001"));
    edit_->setReadOnly(true);
    edit_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    bar_->setObjectName(QStringLiteral("progress1"));
    bar_->setFormat(QStringLiteral("%v / %m"));
    bar_->hide();
    cancelButton_->setObjectName(QStringLiteral("buttonCancel"));
    cancelButton_->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    cancelButton_->setIconSize(okButton_->iconSize());
    cancelButton_->setAutoDefault(false);
    cancelButton_->hide();
    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(exitButton_, &QPushButton::clicked, this, &QDialog::reject);
    connect(cancelButton_, &QPushButton::clicked, this, &CMsgDlg::cancelRequested);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton_);
    buttons->addWidget(exitButton_);
    buttons->addWidget(cancelButton_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(edit_, 1);
    layout->addWidget(bar_);
    layout->addLayout(buttons);
    resize(dialogUnits(this, kWidthDlu, kHeightDlu));
}

void CMsgDlg::SetMessage(std::string_view utf8) {
    message_ = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    edit_->setPlainText(shownText(message_));
    if (isVisible()) fitText();
}

void CMsgDlg::setButtonsEnabled(bool enabled) {
    // A busy box keeps the bar's place from the start: a box that grew under
    // the user's pointer when the first package came would move its buttons.
    if (!enabled) {
        QSizePolicy barPolicy = bar_->sizePolicy();
        barPolicy.setRetainSizeWhenHidden(true);
        bar_->setSizePolicy(barPolicy);
    }
    buttonsEnabled_ = enabled;
    applyButtonState();
    if (!enabled && isVisible()) latestBusyBox() = this;
}

void CMsgDlg::busyUpdate(std::string_view utf8, bool over) {
    SetMessage(utf8);
    if (over) setButtonsEnabled(true);
    repaint();
}

void CMsgDlg::setProgress(int done, int total) {
    if (total <= 0) {
        bar_->hide();
        return;
    }
    bar_->setRange(0, total);
    // A logger that miscounts must not push the bar past its end.
    bar_->setValue(std::clamp(done, 0, total));
    bar_->show();
}

void CMsgDlg::offerCancel() {
    cancelOffered_ = true;
    applyButtonState();
}

QString CMsgDlg::text() const {
    return message_;
}

bool CMsgDlg::buttonsEnabled() const {
    return buttonsEnabled_;
}

CMsgDlg* CMsgDlg::busyWindow() {
    CMsgDlg* box = latestBusyBox();
    return box != nullptr && box->isVisible() ? box : nullptr;
}

// Every way out (OK, Exit, Esc, the close box) ends here; a busy box stays.
void CMsgDlg::done(int result) {
    if (buttonsEnabled_) QDialog::done(result);
}

// Before the dialog is placed, so that it is centred at its final size.
void CMsgDlg::showEvent(QShowEvent* event) {
    fitText();
    QDialog::showEvent(event);
    applyButtonState();
    if (!buttonsEnabled_) latestBusyBox() = this;
}

void CMsgDlg::closeEvent(QCloseEvent* event) {
    if (buttonsEnabled_) {
        QDialog::closeEvent(event);
    } else {
        event->ignore();
    }
}

// Makes the dialog high enough for the whole text at its present width; it
// never shrinks, and stops growing at most of the screen's height.
void CMsgDlg::fitText() {
    layout()->activate();
    const int frame = 2 * edit_->frameWidth();
    const int scrollBar = edit_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, edit_);
    QTextDocument document;
    document.setDefaultFont(edit_->font());
    document.setDocumentMargin(edit_->document()->documentMargin());
    QTextOption option = document.defaultTextOption();
    option.setWrapMode(edit_->wordWrapMode());
    document.setDefaultTextOption(option);
    document.setPlainText(edit_->toPlainText());
    document.setTextWidth(edit_->width() - frame - scrollBar);
    // One line to spare: the edit counts whole lines, the document pixels.
    const int needed = static_cast<int>(std::ceil(document.size().height())) + frame +
                       edit_->fontMetrics().lineSpacing();
    const int grow = needed - edit_->height();
    if (grow <= 0) return;
    int limit = height() + grow;
    if (const QScreen* shown = screen()) {
        limit = static_cast<int>(shown->availableGeometry().height() * kMaxScreenShare);
    }
    resize(width(), std::max(height(), std::min(height() + grow, limit)));
}

void CMsgDlg::applyButtonState() {
    okButton_->setEnabled(buttonsEnabled_);
    exitButton_->setEnabled(buttonsEnabled_);
    // Cancel belongs to the running operation: once it is over, OK and Exit close.
    cancelButton_->setVisible(cancelOffered_ && !buttonsEnabled_);
}
