#include "app/widgets/CommandTable.h"

#include <vector>

#include "app/widgets/CMainFrame.h"
#include "ui/widgets/ResourceImages.h"
#include "ui/widgets/WindowTexts.h"

namespace {

constexpr int kFileMenu[] = {ID_FILE_OPEN,  ID_FILE_SAVE_AS,       kSeparator,
                             ID_SAVE_EXCEL, ID_SAVE_TXT,           ID_SAVE_CSV,
                             ID_SAVE_BMP,   ID_SAVE_PDF,           kSeparator,
                             ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, ID_FILE_PAGE_SETUP,
                             kSeparator,    ID_FILE_MRU_FIRST,     kSeparator,
                             ID_APP_EXIT};
// The logger commands of the toolbar are here too, for keyboard and menu users.
constexpr int kCommMenu[] = {ID_CONNECT, ID_DISCONNECT, ID_COM_PORT, kSeparator, ID_MENU_DOWNLOAD,
                             ID_DELETE,  ID_REALTIME,   ID_STOP,     ID_SETUP};
constexpr int kLogMenu[] = {ID_FILE_LIST, ID_DATA_LIST, ID_QUERY,   ID_LIMITS, kSeparator,
                            ID_ORIGINAL,  kSeparator,   ID_HISTORY, ID_SIGN};
constexpr int kViewMenu[] = {ID_FAHRENHEIT};
constexpr int kAboutMenu[] = {ID_APP_ABOUT};

constexpr MenuSpec kMenus[] = {
    {QT_TRANSLATE_NOOP("Dravin", "File(&F)"), kFileMenu},
    {QT_TRANSLATE_NOOP("Dravin", "Comm(&C)"), kCommMenu},
    {QT_TRANSLATE_NOOP("Dravin", "Log(&D)"), kLogMenu},
    {QT_TRANSLATE_NOOP("Dravin", "View(&V)"), kViewMenu},
    {QT_TRANSLATE_NOOP("Dravin", "About(&A)"), kAboutMenu},
};

constexpr int kToolbarSeparators[] = {4, 11, 15, 18};

}  // namespace

// Built once from the rows, in their order.
std::span<const CommandSpec> commandTable() {
    static const std::vector<CommandSpec> shown = [] {
        std::vector<CommandSpec> rows;
        for (const CommandSpec& row : CMainFrame::commandRoutes()) {
            if (row.resource) rows.push_back(row);
        }
        return rows;
    }();
    return shown;
}

const CommandSpec* findCommand(int id) {
    for (const CommandSpec& command : CMainFrame::commandRoutes()) {
        if (command.id == id) return &command;
    }
    return nullptr;
}

std::span<const MenuSpec> menuTable() {
    return kMenus;
}
std::span<const AcceleratorSpec> acceleratorTable() {
    static const std::vector<AcceleratorSpec> keys = [] {
        std::vector<AcceleratorSpec> rows;
        for (const CommandSpec& row : CMainFrame::commandRoutes()) {
            if (row.keys) rows.push_back({row.id, row.keys});
        }
        return rows;
    }();
    return keys;
}
std::span<const int> toolbarSeparators() {
    return kToolbarSeparators;
}

QIcon toolbarIcon(int commandId) {
    const CommandSpec* command = findCommand(commandId);
    return command && command->icon ? pictureIcon(command->icon) : QIcon();
}

std::string_view statusPrompt(const CommandSpec& command) {
    if (!command.resource) return {};
    std::string_view text = command.resource;
    return text.substr(0, text.find('\n'));
}

QString statusPromptText(const CommandSpec& command) {
    if (!command.resource) return {};
    const QString text = windowText(command.resource);
    return text.left(text.indexOf('\n'));
}

QString shortNameText(const CommandSpec& command) {
    if (!command.resource) return {};
    const QString text = windowText(command.resource);
    const qsizetype newline = text.indexOf('\n');
    return newline < 0 ? text : text.mid(newline + 1);
}

std::string_view shortName(const CommandSpec& command) {
    if (!command.resource) return {};
    std::string_view text = command.resource;
    size_t newline = text.find('\n');
    return newline == std::string_view::npos ? text : text.substr(newline + 1);
}
