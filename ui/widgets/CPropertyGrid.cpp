#include "ui/widgets/CPropertyGrid.h"

#include <QFont>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPalette>
#include <QPointer>
#include <QRegularExpressionValidator>
#include <QResizeEvent>
#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>

namespace {

constexpr int kCaptionColumn = 0;
constexpr int kValueColumn = 1;

// Kept on the caption column of every item; categories hold none.
constexpr int kIdRole = Qt::UserRole;
constexpr int kKindRole = Qt::UserRole + 1;
constexpr int kDescriptionRole = Qt::UserRole + 2;

constexpr int kGap = 3;  // between the items and the description area

bool isProperty(const QTreeWidgetItem* item) {
    return item != nullptr && item->parent() != nullptr;
}

}  // namespace

// The in-place editor: a line edit, which for number items takes only a sign
// and digits. What it holds when it closes goes to the grid, not the model.
class PropertyDelegate : public QStyledItemDelegate {
public:
    using Commit = std::function<void(const QModelIndex&, const QString&)>;

    PropertyDelegate(Commit commit, QObject* parent)
        : QStyledItemDelegate(parent), commit_(std::move(commit)) {}

    QLineEdit* openEditor() const { return editor_; }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex& index) const override {
        auto* editor = new QLineEdit(parent);
        editor->setObjectName("propertyEditor");
        editor->setFrame(false);
        const auto kind = static_cast<CPropertyGrid::ItemKind>(
            index.siblingAtColumn(kCaptionColumn).data(kKindRole).toInt());
        if (kind == CPropertyGrid::ItemKind::Number) {
            editor->setValidator(
                new QRegularExpressionValidator(QRegularExpression("[+-]?[0-9]*"), editor));
        }
        editor_ = editor;
        return editor;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        static_cast<QLineEdit*>(editor)->setText(index.data(Qt::DisplayRole).toString());
    }

    void setModelData(QWidget* editor, QAbstractItemModel*,
                      const QModelIndex& index) const override {
        commit_(index, static_cast<QLineEdit*>(editor)->text());
    }

    void destroyEditor(QWidget* editor, const QModelIndex& index) const override {
        if (editor == editor_) editor_ = nullptr;
        QStyledItemDelegate::destroyEditor(editor, index);
    }

private:
    Commit commit_;
    mutable QPointer<QLineEdit> editor_;
};

// The items: categories at the top level, items below them; a click on an
// item's value opens its editor at once, and whatever starts an edit on the
// caption edits the value.
class PropertyTree : public QTreeWidget {
public:
    explicit PropertyTree(CPropertyGrid& grid) : QTreeWidget(&grid), grid_(grid) {}

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override {
        if (index.isValid() && index.column() == kCaptionColumn && index.parent().isValid()) {
            return QTreeWidget::edit(index.siblingAtColumn(kValueColumn), trigger, event);
        }
        return QTreeWidget::edit(index, trigger, event);
    }

    void mousePressEvent(QMouseEvent* event) override {
        grid_.clearDescriptionNote();
        QTreeWidget::mousePressEvent(event);
        const QModelIndex index = indexAt(event->position().toPoint());
        if (event->button() == Qt::LeftButton && index.column() == kValueColumn &&
            (model()->flags(index) & Qt::ItemIsEditable)) {
            edit(index, AllEditTriggers, event);
        }
    }

    // The captions take half the width, the values the rest.
    void resizeEvent(QResizeEvent* event) override {
        QTreeWidget::resizeEvent(event);
        setColumnWidth(kCaptionColumn, viewport()->width() / 2);
    }

    void keyPressEvent(QKeyEvent* event) override {
        grid_.clearDescriptionNote();
        QTreeWidget::keyPressEvent(event);
    }

private:
    CPropertyGrid& grid_;
};

CPropertyGrid::CPropertyGrid(QWidget* parent) : QWidget(parent) {
    tree_ = new PropertyTree(*this);
    tree_->setObjectName("propertyItems");
    tree_->setColumnCount(2);
    tree_->setHeaderHidden(true);
    tree_->setRootIsDecorated(true);
    tree_->setUniformRowHeights(true);
    tree_->setAlternatingRowColors(false);
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
    tree_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tree_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                           QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    tree_->header()->setStretchLastSection(true);
    delegate_ = new PropertyDelegate(
        [this](const QModelIndex& index, const QString& text) { commitEdit(index, text); }, this);
    tree_->setItemDelegate(delegate_);
    connect(tree_, &QTreeWidget::currentItemChanged, this, [this] { showDescription(); });

    description_ = new QWidget(this);
    description_->setObjectName("propertyDescription");
    description_->setAutoFillBackground(true);
    description_->setBackgroundRole(QPalette::Window);
    auto* layout = new QVBoxLayout(description_);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(2);
    descriptionCaption_ = new QLabel(description_);
    QFont bold = descriptionCaption_->font();
    bold.setBold(true);
    descriptionCaption_->setFont(bold);
    descriptionText_ = new QLabel(description_);
    descriptionText_->setWordWrap(true);
    descriptionNote_ = new QLabel(description_);
    descriptionNote_->setObjectName("propertyNote");
    descriptionNote_->setWordWrap(true);
    QPalette notePalette = descriptionNote_->palette();
    notePalette.setColor(QPalette::WindowText, QColor(160, 0, 0));
    descriptionNote_->setPalette(notePalette);
    layout->addWidget(descriptionCaption_);
    layout->addWidget(descriptionText_);
    layout->addWidget(descriptionNote_);
    layout->addStretch(1);

    setFocusProxy(tree_);
    layoutParts();
}

int CPropertyGrid::addCategory(const QString& caption) {
    auto* category = new QTreeWidgetItem(tree_, QStringList{caption});
    category->setFirstColumnSpanned(true);
    category->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    QFont bold = tree_->font();
    bold.setBold(true);
    category->setFont(kCaptionColumn, bold);
    const QBrush shade = palette().brush(QPalette::Button);
    category->setBackground(kCaptionColumn, shade);
    category->setBackground(kValueColumn, shade);
    category->setExpanded(true);
    categories_.push_back(category);
    return static_cast<int>(categories_.size()) - 1;
}

void CPropertyGrid::addItem(int category, int id, const QString& caption,
                            const QString& description, ItemKind kind, bool readOnly) {
    if (category < 0 || category >= categories_.size() || items_.contains(id)) return;
    const QString value = kind == ItemKind::Number ? QStringLiteral("0") : QString();
    auto* item = new QTreeWidgetItem(categories_[category], QStringList{caption, value});
    item->setData(kCaptionColumn, kIdRole, id);
    item->setData(kCaptionColumn, kKindRole, static_cast<int>(kind));
    item->setData(kCaptionColumn, kDescriptionRole, description);
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (!readOnly) flags |= Qt::ItemIsEditable;
    item->setFlags(flags);
    if (readOnly) {
        item->setForeground(kValueColumn, palette().brush(QPalette::Disabled, QPalette::Text));
    }
    items_.insert(id, item);
    categories_[category]->setExpanded(true);
}

int CPropertyGrid::categoryCount() const {
    return static_cast<int>(categories_.size());
}

QString CPropertyGrid::categoryCaption(int category) const {
    if (category < 0 || category >= categories_.size()) return {};
    return categories_[category]->text(kCaptionColumn);
}

bool CPropertyGrid::categoryExpanded(int category) const {
    return category >= 0 && category < categories_.size() && categories_[category]->isExpanded();
}

QList<int> CPropertyGrid::categoryItems(int category) const {
    QList<int> ids;
    if (category < 0 || category >= categories_.size()) return ids;
    const QTreeWidgetItem* parent = categories_[category];
    for (int i = 0; i < parent->childCount(); ++i) {
        ids.push_back(parent->child(i)->data(kCaptionColumn, kIdRole).toInt());
    }
    return ids;
}

bool CPropertyGrid::hasItem(int id) const {
    return items_.contains(id);
}

QString CPropertyGrid::itemCaption(int id) const {
    const QTreeWidgetItem* it = item(id);
    return it ? it->text(kCaptionColumn) : QString();
}

QString CPropertyGrid::itemDescription(int id) const {
    const QTreeWidgetItem* it = item(id);
    return it ? it->data(kCaptionColumn, kDescriptionRole).toString() : QString();
}

void CPropertyGrid::setItemDescription(int id, const QString& description) {
    QTreeWidgetItem* it = item(id);
    if (it == nullptr) return;
    it->setData(kCaptionColumn, kDescriptionRole, description);
    if (selectedItem() == id) showDescription();
}

CPropertyGrid::ItemKind CPropertyGrid::itemKind(int id) const {
    const QTreeWidgetItem* it = item(id);
    return it ? static_cast<ItemKind>(it->data(kCaptionColumn, kKindRole).toInt()) : ItemKind::Text;
}

bool CPropertyGrid::itemReadOnly(int id) const {
    const QTreeWidgetItem* it = item(id);
    return it == nullptr || !(it->flags() & Qt::ItemIsEditable);
}

QString CPropertyGrid::itemText(int id) const {
    const QTreeWidgetItem* it = item(id);
    return it ? it->text(kValueColumn) : QString();
}

void CPropertyGrid::setItemText(int id, const QString& text) {
    if (QTreeWidgetItem* it = item(id)) it->setText(kValueColumn, text);
}

void CPropertyGrid::selectItem(int id) {
    QTreeWidgetItem* it = item(id);
    if (it == nullptr) return;
    clearDescriptionNote();
    tree_->setCurrentItem(it, kCaptionColumn);
}

int CPropertyGrid::selectedItem() const {
    const QTreeWidgetItem* current = tree_->currentItem();
    return isProperty(current) ? current->data(kCaptionColumn, kIdRole).toInt() : -1;
}

QLineEdit* CPropertyGrid::editItem(int id) {
    QTreeWidgetItem* it = item(id);
    if (it == nullptr || itemReadOnly(id)) return nullptr;
    selectItem(id);
    tree_->setCurrentItem(it, kValueColumn);
    tree_->editItem(it, kValueColumn);
    return openEditor();
}

QLineEdit* CPropertyGrid::openEditor() const {
    return delegate_->openEditor();
}

QString CPropertyGrid::descriptionCaption() const {
    return descriptionCaption_->text();
}

QString CPropertyGrid::descriptionText() const {
    return descriptionText_->text();
}

QString CPropertyGrid::descriptionNote() const {
    return descriptionNote_->text();
}

void CPropertyGrid::setDescriptionNote(int id, const QString& note) {
    noteItem_ = note.isEmpty() ? -1 : id;
    note_ = note;
    showDescription();
}

void CPropertyGrid::setDescriptionHeight(int height) {
    descriptionHeight_ = std::max(0, height);
    layoutParts();
}

void CPropertyGrid::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutParts();
}

QTreeWidgetItem* CPropertyGrid::item(int id) const {
    return items_.value(id, nullptr);
}

void CPropertyGrid::commitEdit(const QModelIndex& index, const QString& text) {
    QTreeWidgetItem* it = tree_->itemFromIndex(index.siblingAtColumn(kCaptionColumn));
    if (!isProperty(it) || it->text(kValueColumn) == text) return;
    it->setText(kValueColumn, text);
    emit itemValueChanged(it->data(kCaptionColumn, kIdRole).toInt(), text);
}

void CPropertyGrid::clearDescriptionNote() {
    if (note_.isEmpty()) return;
    noteItem_ = -1;
    note_.clear();
    showDescription();
}

void CPropertyGrid::showDescription() {
    const QTreeWidgetItem* current = tree_->currentItem();
    descriptionCaption_->setText(current ? current->text(kCaptionColumn) : QString());
    descriptionText_->setText(isProperty(current)
                                  ? current->data(kCaptionColumn, kDescriptionRole).toString()
                                  : QString());
    QString note = note_;
    if (!note.isEmpty() && noteItem_ != selectedItem()) note = itemCaption(noteItem_) + ": " + note;
    descriptionNote_->setText(note);
    descriptionNote_->setVisible(!note.isEmpty());
}

void CPropertyGrid::layoutParts() {
    const int w = width();
    const int h = height();
    const int descriptionHeight = std::min(descriptionHeight_, h);
    const int itemsHeight = std::max(0, h - descriptionHeight - kGap);
    tree_->setGeometry(0, 0, w, itemsHeight);
    description_->setGeometry(0, h - descriptionHeight, w, descriptionHeight);
}
