#pragma once

#include <QString>
#include <QWidget>
#include <array>

#include "logdata/ChannelLimits.h"
#include "logdata/LogStore.h"

struct LogStore;
class DataListModel;
class QTableView;

// Content of the Data List pane: the log listed record by record, as it was
// when the Data List command filled it. The list shows a table model over a
// copy of the records, so a full store opens and scrolls at once. The main
// frame creates it the first time its pane shows.
class CDataListPane : public QWidget {
    Q_OBJECT

public:
    static constexpr int kListId = 255;

    explicit CDataListPane(QWidget* parent = nullptr);

    // Removes every row.
    void clearDataList();
    // Appends one row per record of `store` as it holds them now; the rows
    // already there stay.
    void fillDataList(const LogStore& store);
    // Shows "oC" values in °F or not, and colours values outside `limits`
    // (in the stored unit): the rows stay, only how they show changes.
    void showAs(const ChannelLimits& limits, bool fahrenheit);

    QTableView* list() const { return list_; }
    const DataListModel& model() const { return *model_; }

private:
    // A value column whose title changed gets the room the title needs, and
    // back to its own width when the title is plain again.
    void fitTitles();

    DataListModel* model_;
    QTableView* list_;
    std::array<QString, kChannels> titles_;  // of the value columns, as last fitted
};
