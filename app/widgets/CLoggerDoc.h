#pragma once

#include <QObject>
#include <string>
#include <string_view>

struct AppData;
class FrameUi;

// The one document: the log in the process-wide store as loaded through
// File > Open, the recent-file list, a dropped file or the command line, and
// written by Save As. Its title heads the main window.
class CLoggerDoc : public QObject {
    Q_OBJECT

public:
    static constexpr const char* kFileFilter = QT_TRANSLATE_NOOP("Dravin", "Dravin Files (*.drav)");
    static constexpr const char* kDefaultSuffix = "drav";

    CLoggerDoc(AppData& data, FrameUi& ui, QObject* parent = nullptr);

    // An empty, untitled document.
    void newDocument();
    // On failure the message is shown and the store, its file names and the
    // title stay exactly as they were.
    bool openDocument(const std::string& path);
    // Writes the store to `path`, whole or not at all: on failure the message
    // names the system's reason and a file that had the name stays as it was.
    // The store's current file stays the one loaded before, so "100%" still
    // reloads that one.
    bool saveAs(const std::string& path);

    const std::string& title() const { return title_; }
    void setTitle(std::string_view title);

signals:
    void titleChanged();
    void recentFilesChanged();
    // A new document has started: the data list empties and shows.
    void newDocumentStarted();

private:
    void takePath(const std::string& path);

    AppData& data_;
    FrameUi& ui_;
    std::string title_ = " ";
};
