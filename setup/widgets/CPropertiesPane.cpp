#include "setup/widgets/CPropertiesPane.h"

#include <QCursor>
#include <QEvent>
#include <QResizeEvent>
#include <QToolButton>
#include <QToolTip>
#include <algorithm>
#include <string>

#include "base/Texts.h"
#include "link/LoggerSetup.h"
#include "setup/SetupEdits.h"
#include "setup/SetupItems.h"
#include "ui/widgets/CPropertyGrid.h"
#include "ui/widgets/ResourceImages.h"
#include "ui/widgets/WindowTexts.h"

namespace {

constexpr int kButtonTop = 5;
constexpr int kButtonSize = 29;
constexpr int kGridLeft = 2;
constexpr int kGridTop = 39;
constexpr int kGridBottomMargin = 5;
constexpr int kLeastDescriptionHeight = 10;

QString utf8(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

CPropertiesPane::CPropertiesPane(LoggerSetup& setup, QWidget* parent)
    : PaneWidget(parent), setup_(setup) {
    setObjectName("setupPane");

    grid_ = new CPropertyGrid(this);
    grid_->setObjectName(QString("grid%1").arg(kGridId));
    grid_->setGeometry(0, 35, 200, 565);

    read_ = makeButton(kReadButtonId, kReadBitmap, kReadTip);
    sync_ = makeButton(kSyncButtonId, kSyncBitmap, kSyncTip);
    connect(read_, &QToolButton::clicked, this, &CPropertiesPane::readRequested);
    connect(sync_, &QToolButton::clicked, this, &CPropertiesPane::syncRequested);

    // The tooltips: black on pale green, shown 200 ms after the mouse comes.
    setStyleSheet("QToolTip { color: black; background-color: rgb(225, 245, 225); }");
    tipTimer_.setSingleShot(true);
    tipTimer_.setInterval(kTipDelayMs);
    connect(&tipTimer_, &QTimer::timeout, this, [this] {
        if (tipButton_ && tipButton_->underMouse()) {
            QToolTip::showText(QCursor::pos(), tipButton_->toolTip(), tipButton_);
        }
    });

    buildSetupGrid();
    connect(grid_, &CPropertyGrid::itemValueChanged, this, &CPropertiesPane::onItemValueChanged);

    // The focus the pane gets goes on to the grid.
    setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(grid_);
}

void CPropertiesPane::buildSetupGrid() {
    if (grid_->categoryCount() > 0) return;
    for (const SetupCategorySpec& category : setupCategories()) {
        const int index = grid_->addCategory(QString::fromUtf8(tx(category.caption)));
        for (const SetupItemSpec& item : category.items) {
            const auto kind = item.kind == SetupItemKind::Number ? CPropertyGrid::ItemKind::Number
                                                                 : CPropertyGrid::ItemKind::Text;
            grid_->addItem(index, item.id, utf8(std::string(itemCaption(item))),
                           utf8(setupItemDescription(setup_, item.id)), kind, !item.editable);
        }
    }
}

void CPropertiesPane::takeMove(PaneMove move) {
    if (move == PaneMove::Fill) fillSetupGrid();
}

void CPropertiesPane::fillSetupGrid() {
    for (const SetupCategorySpec& category : setupCategories()) {
        for (const SetupItemSpec& item : category.items) showItem(item.id);
    }
}

void CPropertiesPane::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int w = event->size().width();
    const int h = event->size().height();
    // A grid h - 5 high below its top of 39 would hide the lower 34 pixels
    // of the description area below the pane; it ends 5 pixels above the
    // pane's bottom instead.
    grid_->setGeometry(kGridLeft, kGridTop, std::max(0, w - kGridLeft),
                       std::max(0, h - kGridTop - kGridBottomMargin));
    grid_->setDescriptionHeight(std::max(kLeastDescriptionHeight, static_cast<int>(h * 0.2)));
    read_->setGeometry(w / 9, kButtonTop, kButtonSize, kButtonSize);
    sync_->setGeometry((w / 9) * 3, kButtonTop, kButtonSize, kButtonSize);
}

bool CPropertiesPane::eventFilter(QObject* watched, QEvent* event) {
    auto* button = qobject_cast<QToolButton*>(watched);
    if (button == read_ || button == sync_) {
        if (event->type() == QEvent::Enter) {
            tipButton_ = button;
            tipTimer_.start();
        } else if (event->type() == QEvent::Leave || event->type() == QEvent::MouseButtonPress) {
            tipTimer_.stop();
        }
    }
    return QWidget::eventFilter(watched, event);
}

QToolButton* CPropertiesPane::makeButton(int id, int picture, const char* tip) {
    auto* button = new QToolButton(this);
    button->setObjectName(QString("button%1").arg(id));
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    setButtonPicture(button, picture);
    button->setIconSize(QSize(22, 22));
    button->setGeometry(0, 0, 22, 22);
    button->setToolTip(windowText(tip));
    button->setEnabled(true);
    button->installEventFilter(this);
    return button;
}

void CPropertiesPane::onItemValueChanged(int id, const QString& text) {
    const SetupEdit edit = applySetupEdit(setup_, id, text.toStdString());
    // The item shows what the field holds now: the value it kept when the
    // edit was refused, the name as it was cut.
    showItem(id);
    grid_->setDescriptionNote(id, utf8(edit.note));
}

// A limit's or an offset's description tells what its value means, so it
// follows the value.
void CPropertiesPane::showItem(int id) {
    grid_->setItemText(id, utf8(setupItemText(setup_, id)));
    grid_->setItemDescription(id, utf8(setupItemDescription(setup_, id)));
}
