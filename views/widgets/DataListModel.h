#pragma once

#include <QAbstractTableModel>
#include <QColor>

#include "views/DataListRows.h"

struct LogStore;

// The data list's rows as a table for the list view: the cells are printed
// when the view asks for them, so a full store costs one copy of its records
// and no item per cell.
class DataListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit DataListModel(QObject* parent = nullptr);

    // No rows.
    void clear();
    // Appends one row per record of `store` as it holds them now.
    void append(const LogStore& store);
    const DataListRows& rows() const { return rows_; }
    // How the values show: "oC" channels in °F or not, and the limits whose
    // side a value is on colours it. Every cell and title shows anew.
    void setShownAs(const ChannelLimits& limits, bool fahrenheit);
    // The text colours of a value above its high limit and below its low one.
    static QColor aboveColor();
    static QColor belowColor();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    DataListRows rows_;
    ChannelLimits limits_{};
    bool fahrenheit_ = false;
};
