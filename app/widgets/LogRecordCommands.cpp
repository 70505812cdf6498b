#include "app/widgets/LogRecordCommands.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableWidget>
#include <QVBoxLayout>
#include <iterator>
#include <string>
#include <vector>

#include "app/widgets/CMainFrame.h"
#include "archive/ArchiveRecorder.h"
#include "archive/Signing.h"
#include "archive/Trail.h"
#include "record/AppData.h"
#include "ui/widgets/WindowTexts.h"

namespace {

constexpr const char* kNoFileText =
    QT_TRANSLATE_NOOP("Dravin", "The log on show is not saved in a file yet.");
constexpr const char* kNoArchiveText =
    QT_TRANSLATE_NOOP("Dravin", "The archive cannot be used: %1");
constexpr const char* kRefusedText = QT_TRANSLATE_NOOP(
    "Dravin", "Only a log unchanged since it was recorded can be signed: %1 is %2.");
constexpr const char* kSignedText = QT_TRANSLATE_NOOP("Dravin", "Signed as %1 by %2, entry %3.");
constexpr const char* kChangedWord = QT_TRANSLATE_NOOP("Dravin", "changed since it was recorded");
constexpr const char* kUnknownWord = QT_TRANSLATE_NOOP("Dravin", "not in the archive");
constexpr const char* kUnreadableWord = QT_TRANSLATE_NOOP("Dravin", "not readable");
const char* const kMeaningTexts[] = {QT_TRANSLATE_NOOP("Dravin", "Reviewed"),
                                     QT_TRANSLATE_NOOP("Dravin", "Approved"),
                                     QT_TRANSLATE_NOOP("Dravin", "Rejected")};
const char* const kHistoryColumns[] = {
    QT_TRANSLATE_NOOP("Dravin", "Entry"),   QT_TRANSLATE_NOOP("Dravin", "Time"),
    QT_TRANSLATE_NOOP("Dravin", "Event"),   QT_TRANSLATE_NOOP("Dravin", "User"),
    QT_TRANSLATE_NOOP("Dravin", "SHA-256"), QT_TRANSLATE_NOOP("Dravin", "Details")};
constexpr int kHistoryWidth = 900;
constexpr int kHistoryHeight = 400;

QString text(const std::string& bytes) {
    return QString::fromStdString(bytes);
}

// The archive, or nothing after telling why; the log on show must be a file.
Archive* archiveOrSay(CMainFrame& frame) {
    if (frame.appData().log.store.currentFilePath.empty()) {
        frame.frameUi().showMessage(windowText(kNoFileText).toStdString());
        return nullptr;
    }
    ArchiveRecorder* recorder = frame.archiveRecorder();
    Archive* archive = recorder ? recorder->archive() : nullptr;
    if (!archive) {
        const Outcome problem = recorder ? recorder->problem() : Outcome{};
        frame.frameUi().showMessage(
            windowText(kNoArchiveText).arg(text(problem.detail)).toStdString());
    }
    return archive;
}

QStringList entryRow(const TrailEntry& entry) {
    const std::string who = entry.user + "@" + entry.host;
    const std::string file = entry.newFile.empty() ? std::string() : " -> " + entry.newFile;
    return {QString::number(entry.seq), text(localTimeText(entry)),
            text(entry.event + file),   text(who),
            text(entry.sha256),         text(entry.details)};
}

const char* stateWord(LogState state) {
    switch (state) {
        case LogState::Changed:
            return kChangedWord;
        case LogState::Unreadable:
            return kUnreadableWord;
        default:
            return kUnknownWord;
    }
}

}  // namespace

void showLogHistory(CMainFrame& frame) {
    Archive* archive = archiveOrSay(frame);
    if (!archive) return;
    const std::string& path = frame.appData().log.store.currentFilePath;
    std::vector<TrailEntry> entries;
    if (const Outcome found = archive->entries(archivePath(path), entries); !found.ok()) {
        frame.frameUi().showMessage(archiveUnusableText(found));
        return;
    }
    QDialog dialog(&frame);
    dialog.setObjectName("historyDialog");
    dialog.setWindowTitle(QObject::tr("History of %1").arg(text(path)));
    auto* table = new QTableWidget(static_cast<int>(entries.size()),
                                   static_cast<int>(std::size(kHistoryColumns)), &dialog);
    QStringList headers;
    for (const char* column : kHistoryColumns) headers << windowText(column);
    table->setHorizontalHeaderLabels(headers);
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int row = 0; row < table->rowCount(); ++row) {
        const QStringList cells = entryRow(entries[static_cast<size_t>(row)]);
        for (int column = 0; column < cells.size(); ++column)
            table->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    table->horizontalHeader()->setStretchLastSection(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(table);
    layout->addWidget(buttons);
    dialog.resize(kHistoryWidth, kHistoryHeight);
    dialog.exec();
}

void signShownLog(CMainFrame& frame) {
    Archive* archive = archiveOrSay(frame);
    if (!archive) return;
    QDialog dialog(&frame);
    dialog.setObjectName("signDialog");
    dialog.setWindowTitle(QObject::tr("Sign"));
    auto* name = new QLineEdit(text(userFullName()));
    name->setObjectName("signName");
    auto* meaning = new QComboBox;
    meaning->setObjectName("signMeaning");
    for (size_t i = 0; i < std::size(kSignMeanings); ++i)
        meaning->addItem(windowText(kMeaningTexts[i]), QString(kSignMeanings[i]));
    auto* comment = new QLineEdit;
    comment->setObjectName("signComment");
    auto* form = new QFormLayout(&dialog);
    form->addRow(QObject::tr("Name"), name);
    form->addRow(QObject::tr("Meaning"), meaning);
    form->addRow(QObject::tr("Comment"), comment);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted || name->text().trimmed().isEmpty()) return;

    const std::string& path = frame.appData().log.store.currentFilePath;
    const Signature signature{meaning->currentData().toString().toStdString(),
                              name->text().trimmed().toStdString(), comment->text().toStdString()};
    LogCheck check;
    TrailEntry entry;
    const Outcome signedLog = signLog(*archive, path, signature, check, entry);
    QString told;
    if (signedLog.kind == OutcomeKind::Refused)
        told = windowText(kRefusedText).arg(text(path), windowText(stateWord(check.state)));
    else if (!signedLog.ok())
        told = text(archiveUnusableText(signedLog));
    else
        told = windowText(kSignedText)
                   .arg(meaning->currentText(), text(signature.name))
                   .arg(entry.seq);
    frame.frameUi().showMessage(told.toStdString());
}
