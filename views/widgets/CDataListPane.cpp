#include "views/widgets/CDataListPane.h"

#include <QHeaderView>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "record/AppData.h"
#include "views/widgets/DataListModel.h"

CDataListPane::CDataListPane(QWidget* parent)
    : PaneWidget(parent), model_(new DataListModel(this)), list_(new QTableView(this)) {
    setObjectName("dataListPane");

    list_->setObjectName(QStringLiteral("list%1").arg(kListId));
    list_->setModel(model_);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setShowGrid(true);
    list_->setWordWrap(false);
    list_->setCornerButtonEnabled(false);
    list_->setSortingEnabled(false);
    // Tab leaves the list, as it leaves any other control.
    list_->setTabKeyNavigation(false);
    list_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    QHeaderView* header = list_->horizontalHeader();
    header->setSectionsClickable(false);
    header->setHighlightSections(false);
    header->setStretchLastSection(false);
    header->setDefaultAlignment(Qt::AlignCenter);
    for (int column = 0; column < kDataListColumns; ++column) {
        header->resizeSection(column, kDataListWidths[static_cast<std::size_t>(column)]);
    }
    for (int c = 0; c < kChannels; ++c) {
        titles_[static_cast<std::size_t>(c)] =
            model_->headerData(kFirstValueColumn + c, Qt::Horizontal).toString();
    }
    connect(model_, &QAbstractItemModel::headerDataChanged, this, &CDataListPane::fitTitles);
    connect(model_, &QAbstractItemModel::modelReset, this, &CDataListPane::fitTitles);

    // Rows of one height, that nothing measures: a full store scrolls at once.
    QHeaderView* rows = list_->verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setDefaultSectionSize(fontMetrics().height() + 4);

    // The list fills the pane.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(list_);
    // Showing the pane puts the keyboard focus into the list.
    setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(list_);
}

CDataListPane::CDataListPane(const AppData& data, QWidget* parent) : CDataListPane(parent) {
    data_ = &data;
}

void CDataListPane::takeMove(PaneMove move) {
    switch (move) {
        case PaneMove::Clear:
            clearDataList();
            return;
        case PaneMove::Fill:
            if (!data_) return;
            clearDataList();
            fillDataList(data_->log.store);
            showAs(data_->display.limits, data_->display.fahrenheit);
            return;
        case PaneMove::ShowChoices:
            if (data_) showAs(data_->display.limits, data_->display.fahrenheit);
            return;
        default:
            return;
    }
}

void CDataListPane::clearDataList() {
    model_->clear();
}

void CDataListPane::fillDataList(const LogStore& store) {
    model_->append(store);
}

void CDataListPane::fitTitles() {
    QHeaderView* header = list_->horizontalHeader();
    for (int c = 0; c < kChannels; ++c) {
        const int column = kFirstValueColumn + c;
        const QString title = model_->headerData(column, Qt::Horizontal).toString();
        QString& fitted = titles_[static_cast<std::size_t>(c)];
        if (title == fitted) continue;
        fitted = title;
        const int width = kDataListWidths[static_cast<std::size_t>(column)];
        header->resizeSection(column, std::max(width, header->sectionSizeHint(column)));
    }
}

void CDataListPane::showAs(const ChannelLimits& limits, bool fahrenheit) {
    model_->setShownAs(limits, fahrenheit);
}
