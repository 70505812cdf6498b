#pragma once

#include <QString>
#include <array>

#include "logdata/ChannelLimits.h"
#include "logdata/LogStore.h"
#include "ui/widgets/PaneWidget.h"

struct AppData;
struct LogStore;
class DataListModel;
class QTableView;

// Content of the Data List pane: the log listed record by record, as it was
// when the Data List command filled it. The list shows a table model over a
// copy of the records, so a full store opens and scrolls at once. The main
// frame creates it the first time its pane shows.
class CDataListPane : public PaneWidget {
    Q_OBJECT

public:
    static constexpr int kListId = 255;

    explicit CDataListPane(QWidget* parent = nullptr);
    // A pane of the window, whose moves show `data`.
    CDataListPane(const AppData& data, QWidget* parent);

    // Removes every row.
    void clearDataList();
    // Appends one row per record of `store` as it holds them now; the rows
    // already there stay.
    void fillDataList(const LogStore& store);
    // Shows "oC" values in °F or not, and colours values outside `limits`
    // (in the stored unit): the rows stay, only how they show changes.
    void showAs(const ChannelLimits& limits, bool fahrenheit);
    // Fill: the store as it is now, shown as the record asks; Clear;
    // ShowChoices: showAs() with the record's limits and unit.
    void takeMove(PaneMove move) override;

    QTableView* list() const { return list_; }
    const DataListModel& model() const { return *model_; }

private:
    // A value column whose title changed gets the room the title needs, and
    // back to its own width when the title is plain again.
    void fitTitles();

    const AppData* data_ = nullptr;
    DataListModel* model_;
    QTableView* list_;
    std::array<QString, kChannels> titles_;  // of the value columns, as last fitted
};
