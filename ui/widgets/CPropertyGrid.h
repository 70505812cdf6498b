#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QWidget>

class QLabel;
class QLineEdit;
class QModelIndex;
class QTreeWidgetItem;
class PropertyDelegate;
class PropertyTree;

// A property grid: categories of items, each item a caption and a value that
// is free text or a whole number, editable in place unless it is read-only.
// Below the items a description area shows the selected item's caption and
// description. When the user changes an item's value the grid shows the new
// text and tells with itemValueChanged(); the owner may then set another text
// (the value it kept) with setItemText(), which tells nothing.
class CPropertyGrid : public QWidget {
    Q_OBJECT

public:
    enum class ItemKind {
        Text,    // free text
        Number,  // a whole number in decimal: only a sign and digits can be typed
    };

    explicit CPropertyGrid(QWidget* parent = nullptr);

    // A category at the end of the grid, expanded; returns its index.
    int addCategory(const QString& caption);
    // An item at the end of category `category`: empty when it is text, 0
    // when it is a number. Ids are the owner's and unique in the grid.
    void addItem(int category, int id, const QString& caption, const QString& description,
                 ItemKind kind, bool readOnly);

    int categoryCount() const;
    QString categoryCaption(int category) const;
    bool categoryExpanded(int category) const;
    // The ids of the category's items in display order.
    QList<int> categoryItems(int category) const;

    bool hasItem(int id) const;
    QString itemCaption(int id) const;
    QString itemDescription(int id) const;
    // A new description for item `id`; the description area shows it at once
    // when the item is selected.
    void setItemDescription(int id, const QString& description);
    ItemKind itemKind(int id) const;
    bool itemReadOnly(int id) const;
    QString itemText(int id) const;
    // Shows `text` as the item's value; no itemValueChanged().
    void setItemText(int id, const QString& text);

    // Selects item `id` as a click on its caption does.
    void selectItem(int id);
    // The selected item; -1 when a category or nothing is selected.
    int selectedItem() const;
    // Opens the in-place editor of item `id` as a click on its value does and
    // returns it; nullptr for a read-only or unknown item. Enter or leaving
    // the editor takes its text, Escape drops it.
    QLineEdit* editItem(int id);
    // The in-place editor while one is open, else nullptr.
    QLineEdit* openEditor() const;

    // The description area: the selected item's caption and description,
    // and below them the owner's note on item `id` (an edit it did not take,
    // say), led by that item's caption when another item is selected by
    // then. The note stays until the user next clicks or types in the items,
    // or the owner sets another; an empty note takes it away.
    QString descriptionCaption() const;
    QString descriptionText() const;
    QString descriptionNote() const;
    void setDescriptionNote(int id, const QString& note);
    int descriptionHeight() const { return descriptionHeight_; }
    void setDescriptionHeight(int height);

signals:
    void itemValueChanged(int id, const QString& text);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    friend class PropertyTree;

    QTreeWidgetItem* item(int id) const;
    void commitEdit(const QModelIndex& index, const QString& text);
    void clearDescriptionNote();
    void showDescription();
    void layoutParts();

    PropertyTree* tree_;
    QWidget* description_;
    QLabel* descriptionCaption_;
    QLabel* descriptionText_;
    QLabel* descriptionNote_;
    QList<QTreeWidgetItem*> categories_;
    QHash<int, QTreeWidgetItem*> items_;
    PropertyDelegate* delegate_;
    int noteItem_ = -1;
    QString note_;
    int descriptionHeight_ = 60;
};
