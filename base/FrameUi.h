#pragma once

#include <string_view>

#include "base/Outcome.h"

// What the core asks of the user: the prompts. The main frame implements it
// with Qt, the command-line tool on a console, and tests with fakes. What the
// panes show follows the events of base/LogEvents.h instead.

class FrameUi {
public:
    virtual ~FrameUi() = default;
    // The progress window: set its text and show it / set its text only / hide it.
    virtual void showProgress(std::string_view text) = 0;
    virtual void setProgressText(std::string_view text) = 0;
    virtual void hideProgress() = 0;
    // The message dialog, modal; true when the user left it with OK.
    virtual bool showMessage(std::string_view text) = 0;
    // The question before a change on the logger; true to go on. On a console,
    // running the command was the yes.
    virtual bool confirm(std::string_view question) { return showMessage(question); }
    // The question before a file the user chose is replaced by an export;
    // true to replace it. Whoever cannot ask keeps the file.
    virtual bool confirmReplace(std::string_view path) {
        (void)path;
        return false;
    }
    // The busy box: opened modally with its buttons disabled; returns when the
    // user closes it (a console or a test may return at once).
    virtual void openBusyBox(std::string_view text) = 0;
    // The busy box shows AppData::busyText; `over` enables its buttons.
    virtual void updateBusyBox(bool over) = 0;
    // An Auto log download took a package: `packagesDone` of the
    // `packagesTotal` the logger announced have arrived. Only the window
    // draws it.
    virtual void downloadProgress(int packagesDone, int packagesTotal) {
        (void)packagesDone;
        (void)packagesTotal;
    }
    // An operation on the logger has ended, well or not: identify, setup read,
    // sync, download, delete, or a realtime run that the line ended. The
    // window has shown its texts by then; the command-line tool waits for
    // this and words its own message from it.
    virtual void operationEnded(const Outcome& outcome) { (void)outcome; }
};
