// The main frame's route table: the rule each command has, and a row for
// every command that the menus, the toolbar and the keys offer.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "app/CommandIds.h"
#include "app/CommandRules.h"
#include "app/widgets/CMainFrame.h"
#include "app/widgets/CommandTable.h"
#include "record/AppData.h"

namespace {

bool enabled(int command, const AppData& data) {
    return ruleAllows(CMainFrame::commandRule(command), data);
}

TEST(CommandRoutes, CommandsAreEnabledByLinkAndLogState) {
    auto data = std::make_unique<AppData>();
    struct Case {
        int command;
        bool connected;
        bool realtime;
        uint32_t records;
        bool enabled;
    };
    const Case cases[] = {
        {ID_CONNECT, false, false, 0, true},      {ID_CONNECT, true, false, 0, false},
        {ID_CONNECT, false, true, 0, false},      {ID_DISCONNECT, true, false, 0, true},
        {ID_DISCONNECT, false, false, 0, false},  {ID_DISCONNECT, true, true, 0, false},
        {ID_COM_PORT, false, true, 0, true},      {ID_COM_PORT, true, false, 0, false},
        {ID_MENU_DOWNLOAD, true, false, 5, true}, {ID_MENU_DOWNLOAD, false, false, 0, false},
        {ID_MENU_DOWNLOAD, true, true, 0, false}, {ID_SETUP, true, false, 0, true},
        {ID_DOWNLOAD, true, false, 0, true},      {ID_DELETE, true, false, 0, true},
        {ID_REALTIME, true, false, 0, true},      {ID_SETUP, false, false, 0, false},
        {ID_DOWNLOAD, false, false, 0, false},    {ID_DELETE, true, true, 0, false},
        {ID_REALTIME, true, true, 0, false},      {ID_STOP, true, true, 0, true},
        {ID_STOP, true, false, 0, false},         {ID_STOP, false, true, 0, false},
        {ID_SAVE_EXCEL, false, false, 1, true},   {ID_SAVE_TXT, false, true, 1, true},
        {ID_SAVE_BMP, false, false, 0, false},    {ID_SAVE_TXT, true, false, 0, false},
        {ID_QUERY, false, false, 1, true},        {ID_QUERY, true, true, 1, false},
        {ID_QUERY, false, false, 0, false},       {ID_ORIGINAL, false, false, 3, true},
        {ID_ORIGINAL, true, true, 3, false},      {ID_FILE_OPEN, true, false, 0, true},
        {ID_FILE_OPEN, true, true, 0, false},     {ID_FILE_NEW, false, false, 2, true},
        {ID_FILE_NEW, true, true, 2, false},      {ID_FILE_MRU_FIRST, true, false, 0, true},
        {ID_FILE_MRU_LAST, true, true, 0, false}, {ID_FILE_LIST, true, true, 0, true},
        {ID_DATA_LIST, false, false, 0, true},    {ID_APP_ABOUT, true, true, 0, true},
        {ID_APP_EXIT, false, false, 0, true},     {ID_SAVE_CSV, false, true, 1, true},
        {ID_SAVE_CSV, true, false, 0, false},     {ID_LIMITS, true, true, 0, true},
        {ID_FAHRENHEIT, true, true, 0, true},     {ID_FILE_SAVE_AS, false, false, 0, false},
        {ID_FILE_SAVE_AS, true, true, 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.command << " connected " << c.connected << " realtime " << c.realtime
                     << " records " << c.records);
        data->link.connected = c.connected;
        data->link.realtimeActive = c.realtime;
        data->log.store.recordCount = c.records;
        EXPECT_EQ(enabled(c.command, *data), c.enabled);
    }
}

TEST(CommandRoutes, EachCommandHasOneRow) {
    std::multiset<int> rows;
    for (const CMainFrame::CommandRoute& route : CMainFrame::commandRoutes()) rows.insert(route.id);
    for (int id : rows) EXPECT_EQ(rows.count(id), 1u) << id;

    std::set<int> offered;
    for (const CommandSpec& command : commandTable()) offered.insert(command.id);
    for (const MenuSpec& menu : menuTable()) {
        for (int id : menu.items) {
            if (id != kSeparator) offered.insert(id);
        }
    }
    for (const AcceleratorSpec& accelerator : acceleratorTable()) offered.insert(accelerator.id);
    for (int id : offered) EXPECT_EQ(rows.count(id), 1u) << id;
}

TEST(CommandRoutes, EveryRecentFileEntryHasTheRuleOfTheList) {
    for (int id = ID_FILE_MRU_FIRST; id <= ID_FILE_MRU_LAST; ++id) {
        EXPECT_EQ(CMainFrame::commandRule(id), CommandRule::WhenNotRealtime) << id;
    }
}

}  // namespace
