#include "app/widgets/CCommProgressDlg.h"

#include <QFrame>
#include <QLineEdit>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "ui/widgets/ResourceImages.h"

namespace {

constexpr int kWidthDlu = 173;
constexpr int kHeightDlu = 43;

QString fromUtf8(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace

CCommProgressDlg::CCommProgressDlg(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus),
      edit_(new QLineEdit(this)),
      bar_(new QProgressBar(this)),
      timer_(new QTimer(this)) {
    setWindowTitle(tr("COMM"));
    // The window only reports; clicks and keys go to the main frame.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);

    edit_->setObjectName(QStringLiteral("edit1005"));
    edit_->setReadOnly(true);
    edit_->setAlignment(Qt::AlignCenter);
    edit_->setFocusPolicy(Qt::NoFocus);
    bar_->setObjectName(QStringLiteral("progress1006"));
    bar_->setRange(0, kBarMaximum);
    bar_->setValue(position_);
    bar_->setTextVisible(false);

    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::Box);
    auto* inner = new QVBoxLayout(frame);
    inner->addWidget(edit_);
    inner->addWidget(bar_);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);
    resize(dialogUnits(this, kWidthDlu, kHeightDlu));

    connect(timer_, &QTimer::timeout, this, &CCommProgressDlg::step);
    timer_->start(kStepPeriodMs);
}

void CCommProgressDlg::showWithText(std::string_view utf8) {
    setText(utf8);
    centreOnParent();
    show();
}

void CCommProgressDlg::setText(std::string_view utf8) {
    edit_->setText(fromUtf8(utf8));
}

QString CCommProgressDlg::text() const {
    return edit_->text();
}

int CCommProgressDlg::position() const {
    return position_;
}

void CCommProgressDlg::step() {
    position_ = ((position_ + 1) % kBarMaximum) + 1;
    bar_->setValue(position_);
}

void CCommProgressDlg::centreOnParent() {
    QRect area;
    if (parentWidget() != nullptr) {
        area = parentWidget()->window()->frameGeometry();
    } else if (screen() != nullptr) {
        area = screen()->availableGeometry();
    }
    if (area.isValid()) move(area.center() - rect().center());
}
