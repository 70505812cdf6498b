// An installed copy keeps its settings and logs in the user's data folder and
// the About box says where; a portable copy keeps them beside itself and the
// About box says nothing of it.

#include <gtest/gtest.h>

#include <QLabel>
#include <QTemporaryDir>
#include <memory>

#include "app/widgets/CAboutDlg.h"
#include "app/widgets/CMainFrame.h"
#include "record/AppData.h"

namespace {

QString folderLine(QWidget* parent) {
    CAboutDlg about(parent);
    const auto* line = about.findChild<QLabel*>("dataFolder");
    return line ? line->text() : QString();
}

TEST(InstalledUse, TheAboutBoxTellsAFolderOtherThanTheProgramsOwn) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    struct Case {
        const char* name;
        std::string programDir;
        QString expected;
    };
    const std::string userFolder = dir.path().toStdString() + "/Dravin/";
    const Case cases[] = {
        {"installed", userFolder, QString::fromStdString("Settings and logs: " + userFolder)},
        {"portable", executableDir(), QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto data = std::make_unique<AppData>();
        data->programDir = c.programDir;
        CMainFrame frame(*data, MainFrameOptions{dir.path().toStdString(), c.programDir});
        frame.keepSettingsFile();  // none beside the test program
        EXPECT_EQ(folderLine(&frame), c.expected);
    }
    EXPECT_EQ(folderLine(nullptr), QString()) << "no frame, no folder to tell";
}

}  // namespace
