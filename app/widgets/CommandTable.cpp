#include "app/widgets/CommandTable.h"

namespace {

constexpr CommandSpec kCommands[] = {
    {ID_FILE_OPEN, "Open(&O)...\tCtrl+O", 1, "Open\nOpen"},
    {ID_FILE_SAVE_AS, "Save As(&S)", 2, "Save As\nSave As"},
    {ID_SAVE_EXCEL, "Save to &Excel...\tCtrl+E", 16, "Save to Excel\nEXCEL"},
    {ID_SAVE_TXT, "Save to &Txt...\tCtrl+T", 17, "Save to Txt\nTXT"},
    {ID_SAVE_BMP, "Save to &BMP...\tCtrl+J", 18, "Save to BMP\nBMP"},
    {ID_SAVE_PDF, "Save to P&DF...", 0, "Save the report as a PDF file\nPDF"},
    {ID_SAVE_CSV, "Save to CSV...", 0, "Save to CSV\nCSV"},
    {ID_FILE_PRINT, "Print(&P)...\tCtrl+P", 3, "Print\nPrint"},
    {ID_FILE_PRINT_PREVIEW, "Print Preview(&V)", 4, "Preview\nPreview"},
    {ID_FILE_PAGE_SETUP, "Printer Setup(&R)...", 0, "Printer\nPrinter"},
    {ID_FILE_MRU_FIRST, "Recent", 0, "Open this document"},
    {ID_APP_EXIT, "Exit(&X)", 0, "Exit\nExit"},
    {ID_CONNECT, "Connect(&C)", 5, "Connect\nConnect"},
    {ID_DISCONNECT, "Disconnect(&D)", 6, "Disconnect\nDisconnect"},
    {ID_COM_PORT, "Com Port(&T)", 0, "Comm\nComm"},
    {ID_MENU_DOWNLOAD, "Download(&L)", 0, "Download\nDownload"},
    {ID_SETUP, "Setup(&P)", 7, "Setup"},
    {ID_DOWNLOAD, nullptr, 8, "Download\nDownload"},
    {ID_DELETE, "Delete(&E)", 9, "Delete\nDelete"},
    {ID_REALTIME, "Realtime(&R)", 10, "Realtime\nRealtime"},
    {ID_STOP, "Stop(&S)", 11, "Stop\nStop"},
    {ID_FILE_LIST, "File List(&F)", 12, "File List"},
    {ID_DATA_LIST, "Data List(&A)", 13, "Data List"},
    {ID_QUERY, "Query(&Q)", 14, "Query"},
    {ID_ORIGINAL, "100%(100%)", 15, "Original"},
    {ID_LIMITS, "Limits", 0, "Limits"},
    {ID_FAHRENHEIT, "Temperatures in °F", 0, "Show temperatures in °F\n°F"},
    {ID_APP_ABOUT, "About Dravin(&A)...", 19, "About Dravin\nAbout"},
};

constexpr int kFileMenu[] = {ID_FILE_OPEN,  ID_FILE_SAVE_AS,       kSeparator,
                             ID_SAVE_EXCEL, ID_SAVE_TXT,           ID_SAVE_CSV,
                             ID_SAVE_BMP,   ID_SAVE_PDF,           kSeparator,
                             ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, ID_FILE_PAGE_SETUP,
                             kSeparator,    ID_FILE_MRU_FIRST,     kSeparator,
                             ID_APP_EXIT};
// The logger commands of the toolbar are here too, for keyboard and menu users.
constexpr int kCommMenu[] = {ID_CONNECT, ID_DISCONNECT, ID_COM_PORT, kSeparator, ID_MENU_DOWNLOAD,
                             ID_DELETE,  ID_REALTIME,   ID_STOP,     ID_SETUP};
constexpr int kLogMenu[] = {ID_FILE_LIST, ID_DATA_LIST, ID_QUERY,
                            ID_LIMITS,    kSeparator,   ID_ORIGINAL};
constexpr int kViewMenu[] = {ID_FAHRENHEIT};
constexpr int kAboutMenu[] = {ID_APP_ABOUT};

constexpr MenuSpec kMenus[] = {
    {"File(&F)", kFileMenu}, {"Comm(&C)", kCommMenu},   {"Log(&D)", kLogMenu},
    {"View(&V)", kViewMenu}, {"About(&A)", kAboutMenu},
};

// The keys of accelerator table 128 whose commands have a handler (Save and
// the edit commands have none, and there is no help file), and the keys that
// the export captions name.
constexpr AcceleratorSpec kAccelerators[] = {
    {ID_FILE_NEW, "Ctrl+N"},   {ID_FILE_OPEN, "Ctrl+O"},   {ID_FILE_PRINT, "Ctrl+P"},
    {ID_SAVE_EXCEL, "Ctrl+E"}, {ID_SAVE_TXT, "Ctrl+T"},    {ID_SAVE_BMP, "Ctrl+J"},
    {ID_NEXT_PANE, "F6"},      {ID_PREV_PANE, "Shift+F6"},
};

constexpr int kToolbarSeparators[] = {4, 11, 15, 18};

}  // namespace

std::span<const CommandSpec> commandTable() {
    return kCommands;
}

const CommandSpec* findCommand(int id) {
    for (const CommandSpec& command : kCommands) {
        if (command.id == id) return &command;
    }
    return nullptr;
}

std::span<const MenuSpec> menuTable() {
    return kMenus;
}
std::span<const AcceleratorSpec> acceleratorTable() {
    return kAccelerators;
}
std::span<const int> toolbarSeparators() {
    return kToolbarSeparators;
}

std::string_view statusPrompt(const CommandSpec& command) {
    std::string_view text = command.resource;
    return text.substr(0, text.find('\n'));
}

std::string_view shortName(const CommandSpec& command) {
    std::string_view text = command.resource;
    size_t newline = text.find('\n');
    return newline == std::string_view::npos ? text : text.substr(newline + 1);
}
