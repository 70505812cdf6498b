#pragma once

#include <QString>
#include <array>
#include <span>
#include <string_view>

#include "app/CommandIds.h"

// Menu 128, toolbar 128 and accelerator table 128 of the main frame.

struct CommandSpec {
    int id;
    const char* caption;   // menu caption, "\t" before a key name; nullptr: toolbar only
    int toolbarPosition;   // 1..19, 0 when the command has no button
    const char* resource;  // status-bar prompt, "\n", short name (the prompt alone serves as both)
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

std::span<const CommandSpec> commandTable();
const CommandSpec* findCommand(int id);
std::span<const MenuSpec> menuTable();
std::span<const AcceleratorSpec> acceleratorTable();
// Positions after which the toolbar shows a separator.
std::span<const int> toolbarSeparators();

// The two halves of a string resource.
std::string_view statusPrompt(const CommandSpec& command);
std::string_view shortName(const CommandSpec& command);
// The same in the user's language.
QString statusPromptText(const CommandSpec& command);
QString shortNameText(const CommandSpec& command);
