#pragma once

#include <QIcon>
#include <QString>
#include <span>
#include <string_view>

#include "app/CommandIds.h"
#include "app/CommandRules.h"

class CMainFrame;

// A command is one row: its id, its texts, its toolbar button and key, the
// rule that enables it and what runs it. The rows are the main frame's
// (CMainFrame::commandRoutes()); the views below are built from them.
struct CommandSpec {
    int id;
    const char* caption;   // menu caption, "\t" before a key name; nullptr: no menu text
    int toolbarPosition;   // 1..19, 0 when the command has no button
    const char* resource;  // status-bar prompt, "\n", short name (the prompt alone serves as
                           // both); nullptr: a command without texts (a key, printing)
    const char* icon;      // the button's picture; nullptr without a button
    const char* keys;      // its key, QKeySequence portable text; nullptr: none
    CommandRule rule;
    void (*run)(CMainFrame& frame);  // nullptr: the command has nothing to do yet
};

inline constexpr int kSeparator = 0;
inline constexpr int kRecentFileCount = 8;

struct MenuSpec {
    const char* caption;
    std::span<const int> items;  // command ids; kSeparator; ID_FILE_MRU_FIRST stands for the list
};

struct AcceleratorSpec {
    int id;
    const char* keys;  // QKeySequence portable text
};

// The commands with texts: the menus' and the toolbar's.
std::span<const CommandSpec> commandTable();
// Any command's row; nullptr for an id without one.
const CommandSpec* findCommand(int id);
std::span<const MenuSpec> menuTable();
// The commands with a key.
std::span<const AcceleratorSpec> acceleratorTable();
// Positions after which the toolbar shows a separator.
std::span<const int> toolbarSeparators();
// The button picture of a toolbar command; a null icon for any other.
QIcon toolbarIcon(int commandId);

// The two halves of a string resource.
std::string_view statusPrompt(const CommandSpec& command);
std::string_view shortName(const CommandSpec& command);
// The same in the user's language.
QString statusPromptText(const CommandSpec& command);
QString shortNameText(const CommandSpec& command);
