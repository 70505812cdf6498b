#include "views/widgets/DataListModel.h"

#include <array>
#include <limits>

#include "logdata/LogStore.h"

DataListModel::DataListModel(QObject* parent) : QAbstractTableModel(parent) {}

void DataListModel::clear() {
    if (rows_.size() == 0) return;
    beginResetModel();
    rows_.clear();
    endResetModel();
}

void DataListModel::append(const LogStore& store) {
    const std::size_t added = DataListRows::rowsFor(store);
    if (added == 0) return;
    const int first = rowCount();
    // The view counts its rows in an int.
    if (added > static_cast<std::size_t>(std::numeric_limits<int>::max() - first)) return;
    beginInsertRows({}, first, first + static_cast<int>(added) - 1);
    rows_.append(store);
    endInsertRows();
    // The titles follow the channels of the rows appended last.
    emit headerDataChanged(Qt::Horizontal, kFirstValueColumn, kDataListColumns - 1);
}

void DataListModel::setShownAs(const ChannelLimits& limits, bool fahrenheit) {
    if (limits == limits_ && fahrenheit == fahrenheit_) return;
    limits_ = limits;
    fahrenheit_ = fahrenheit;
    emit headerDataChanged(Qt::Horizontal, 0, kDataListColumns - 1);
    if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, kDataListColumns - 1));
}

QColor DataListModel::aboveColor() {
    return QColor(Qt::red);
}

QColor DataListModel::belowColor() {
    return QColor(Qt::blue);
}

int DataListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int DataListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kDataListColumns;
}

QVariant DataListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    switch (role) {
        case Qt::DisplayRole: {
            std::array<char, kDataListCellSize> cell{};
            const std::size_t length = rows_.cellText(static_cast<std::size_t>(index.row()),
                                                      index.column(), cell, fahrenheit_);
            return QString::fromLatin1(cell.data(), static_cast<qsizetype>(length));
        }
        case Qt::ForegroundRole:
            switch (
                rows_.cellSide(static_cast<std::size_t>(index.row()), index.column(), limits_)) {
                case LimitSide::Above:
                    return aboveColor();
                case LimitSide::Below:
                    return belowColor();
                case LimitSide::Inside:
                    return {};
            }
            return {};
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
        default:
            return {};
    }
}

QVariant DataListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kDataListColumns) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    switch (role) {
        case Qt::DisplayRole:
            return QString::fromStdString(rows_.columnTitle(section, fahrenheit_));
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
        default:
            return {};
    }
}

Qt::ItemFlags DataListModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}
