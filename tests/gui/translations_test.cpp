// The catalogs in res/translations, the choice of one, and the program's
// words under them. Every other test runs without a catalog, on the source
// texts; a test here that installs one removes it again.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QXmlStreamReader>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "app/CommandIds.h"
#include "app/widgets/Language.h"
#include "app/widgets/Profile.h"
#include "base/Texts.h"
#include "gui/support/FrameWithLog.h"
#include "gui/support/ModalAnswerer.h"
#include "logdata/LogFile.h"
#include "logdata/LogSaver.h"
#include "support/EngineFixture.h"
#include "support/TempDir.h"
#include "support/TestPaths.h"
#include "ui/widgets/WindowTexts.h"

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

const std::string kCatalogDir = testDataDir() + "/../../res/translations/";

// The named catalog while it lives, the source texts again after it.
class CatalogScope {
public:
    explicit CatalogScope(const char* name) : loaded(installCatalog(name)) {}
    ~CatalogScope() { installCatalog(QString()); }
    CatalogScope(const CatalogScope&) = delete;
    CatalogScope& operator=(const CatalogScope&) = delete;

    const bool loaded;
};

// Chinese characters and the Chinese stops and quotes. A full-width comma in
// an English text is that text's own and stays.
bool hasChinese(const QString& text) {
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= 0x3000 && u <= 0x303F) || (u >= 0x4E00 && u <= 0x9FFF)) return true;
    }
    return false;
}

bool hasChinese(const std::string& utf8) {
    return hasChinese(QString::fromUtf8(utf8));
}

struct CatalogMessage {
    std::string context;
    std::string source;
    std::string translation;
    std::string type;  // "unfinished", "vanished", ...; empty when finished
};

// The text of the element the reader is on; lupdate writes a carriage return
// as <byte value="xd"/>.
std::string elementText(QXmlStreamReader& xml) {
    std::string text;
    while (xml.readNext() != QXmlStreamReader::EndElement || xml.name() == u"byte") {
        if (xml.isCharacters()) text += xml.text().toString().toStdString();
        if (xml.isStartElement() && xml.name() == u"byte") {
            text += static_cast<char>(xml.attributes().value("value").mid(1).toInt(nullptr, 16));
        }
        if (xml.atEnd()) break;
    }
    return text;
}

std::vector<CatalogMessage> readCatalog(const std::string& path) {
    QFile file(QString::fromStdString(path));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path;
    QXmlStreamReader xml(&file);
    std::vector<CatalogMessage> messages;
    std::string context;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == u"name") {
            context = xml.readElementText().toStdString();
        } else if (xml.name() == u"message") {
            messages.push_back({context, {}, {}, {}});
        } else if (xml.name() == u"source") {
            messages.back().source = elementText(xml);
        } else if (xml.name() == u"translation") {
            messages.back().type = xml.attributes().value("type").toString().toStdString();
            messages.back().translation = elementText(xml);
        }
    }
    EXPECT_FALSE(xml.hasError()) << path << ": " << xml.errorString().toStdString();
    return messages;
}

// The printf placeholders of a text in order, and Qt's %1 .. %9.
std::vector<std::string> placeholders(const std::string& text) {
    static const std::regex placeholder(
        R"(%(?:[-+ #0]*[0-9]*(?:\.[0-9]+)?(?:hh|h|ll|l|z)?[diouxXfFeEgGcsp]|[1-9]|%))");
    std::vector<std::string> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), placeholder);
         it != std::sregex_iterator(); ++it) {
        found.push_back(it->str());
    }
    return found;
}

// The line breaks a text starts with: the message dialogs lay texts out by them.
std::string leadingBreaks(const std::string& text) {
    return text.substr(0, text.find_first_not_of("\r\n"));
}

const char* const kCatalogFiles[] = {"dravin_en.ts", "dravin_zh_CN.ts"};

}  // namespace

TEST(TranslationCatalogs, EveryTextIsTranslatedWithTheSamePlaceholdersInTheSameOrder) {
    for (const char* name : kCatalogFiles) {
        SCOPED_TRACE(name);
        const std::vector<CatalogMessage> messages = readCatalog(kCatalogDir + name);
        EXPECT_FALSE(messages.empty());
        for (const CatalogMessage& m : messages) {
            SCOPED_TRACE(m.context + ": " + m.source);
            EXPECT_EQ(m.type, "");
            EXPECT_NE(m.translation, "");
            EXPECT_EQ(placeholders(m.translation), placeholders(m.source));
            EXPECT_EQ(leadingBreaks(m.translation), leadingBreaks(m.source));
        }
    }
}

TEST(TranslationCatalogs, PlaceholdersAreFoundInOrder) {
    EXPECT_THAT(placeholders("\r\n%d. a %s, %3.1f and %u of %lld; 100%(100%) %1 %2"),
                ElementsAre("%d", "%s", "%3.1f", "%u", "%lld", "%1", "%2"));
}

TEST(TranslationCatalogs, BothCatalogsHoldTheSameTexts) {
    std::set<std::pair<std::string, std::string>> held[2];
    for (int i = 0; i < 2; ++i) {
        for (const CatalogMessage& m : readCatalog(kCatalogDir + kCatalogFiles[i])) {
            held[i].insert({m.context, m.source});
        }
    }
    EXPECT_EQ(held[0], held[1]);
}

TEST(TranslationCatalogs, TheEnglishCatalogHasNoChineseCharacter) {
    for (const CatalogMessage& m : readCatalog(kCatalogDir + "dravin_en.ts")) {
        EXPECT_FALSE(hasChinese(m.translation)) << m.source << " -> " << m.translation;
    }
}

TEST(TranslationCatalogs, TheLocalePicksTheCatalog) {
    using enum LanguageChoice;
    struct Case {
        LanguageChoice choice;
        QStringList uiLanguages;
        QString catalog;
    } cases[] = {
        {System, {"zh-CN", "zh-Hans-CN", "zh"}, kChineseCatalog},
        {System, {"zh-TW"}, kChineseCatalog},
        {System, {"en-US", "en"}, kEnglishCatalog},
        {System, {"de-DE", "de"}, kEnglishCatalog},
        {System, {"C"}, QString()},
        {System, {}, QString()},
        {English, {"zh-CN"}, kEnglishCatalog},
        {Chinese, {}, kChineseCatalog},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.uiLanguages.join(",").toStdString());
        EXPECT_EQ(catalogFor(c.choice, c.uiLanguages), c.catalog);
    }
}

TEST(TranslationCatalogs, WithoutACatalogEveryTextIsItsSourceText) {
    ASSERT_TRUE(installCatalog(QString()));
    const char* source = "\r\n获取属性信息超时，请重试！";
    EXPECT_EQ(tx(source), source);
    EXPECT_EQ(windowText("Ready"), "Ready");
}

TEST(TranslationCatalogs, EachCatalogLoadsAndAnUnknownOneLeavesTheSourceTexts) {
    {
        CatalogScope chinese(kChineseCatalog);
        ASSERT_TRUE(chinese.loaded);
        EXPECT_STREQ(tx("\r\nSuccess."), "\r\n成功。");
        EXPECT_EQ(windowText("Ready"), QStringLiteral("就绪"));
    }
    CatalogScope unknown("dravin_xx");
    EXPECT_FALSE(unknown.loaded);
    EXPECT_STREQ(tx("\r\nSuccess."), "\r\nSuccess.");
}

// ---- the program's words under the English catalog ------------------------

class EnglishEngineTest : public EngineFixture<> {
protected:
    CatalogScope english_{kEnglishCatalog};
};

TEST_F(EnglishEngineTest, TheSetupReadTimeoutIsTold) {
    ASSERT_TRUE(english_.loaded);
    ui.showProgress("working");
    timers.startTimer(kTimerReadSetup, 1000);
    data->link.retriesLeft = 0;
    engine.onTimer(kTimerReadSetup);
    EXPECT_THAT(ui.messages,
                ElementsAre("\r\nReading the logger's setup timed out, please try again!"));
}

TEST_F(EnglishEngineTest, ABrokenLogIsAFormatError) {
    TempDir temp;
    const std::string path = temp.dir() + "broken.drav";
    std::ofstream(path, std::ios::binary) << "not a log";
    data->log.store.currentFilePath = path;
    EXPECT_FALSE(loadLogFile(*data, ui));
    EXPECT_THAT(ui.messages, ElementsAre("\r\nFailed to open the data file: format error!"));
}

TEST_F(EnglishEngineTest, SavingADownloadNamesItsFile) {
    useLogFolder("english_");
    std::memcpy(data->log.setup.serialNo, "1234567890", 10);
    data->log.store.channelCount = 1;
    std::memcpy(data->log.store.timestamps[0].data(), "20100305142201", kTimestampLength);
    data->log.store.recordCount = 1;
    ASSERT_TRUE(saveDownloadedLog(*data, ui).ok());
    EXPECT_EQ(ui.progressText,
              "Saving the data to file: 1234567890_20100305_1422.drav, please wait!");
    EXPECT_THAT(ui.messages, IsEmpty());
}

TEST_F(EnglishEngineTest, EveryChineseTextOfTheCoreHasItsEnglishWords) {
    for (const char* source : {"\r\n获取属性信息超时，请重试！", "\r\n打开数据文件失败：格式错误！",
                               "正在将数据保存到文件：%s，请稍候！", "保存数据到TXT文件失败！"}) {
        SCOPED_TRACE(source);
        EXPECT_FALSE(hasChinese(std::string(tx(source))));
    }
}

// A main frame made while a catalog is installed.
template <const char* const* Catalog>
class FrameUnderCatalogTest : public FrameWithLogTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(catalog_.loaded);
        FrameWithLogTest::SetUp();
    }

    // Every action of the menu bar, its submenus' too, and of the toolbars.
    std::vector<QAction*> allActions() {
        std::vector<QAction*> actions;
        std::vector<QMenu*> menus;
        for (QAction* top : frame().menuBar()->actions()) {
            actions.push_back(top);
            if (top->menu()) menus.push_back(top->menu());
        }
        while (!menus.empty()) {
            QMenu* menu = menus.back();
            menus.pop_back();
            for (QAction* action : menu->actions()) {
                actions.push_back(action);
                if (action->menu()) menus.push_back(action->menu());
            }
        }
        for (QToolBar* bar : frame().findChildren<QToolBar*>()) {
            for (QAction* action : bar->actions()) actions.push_back(action);
        }
        return actions;
    }

    CatalogScope catalog_{*Catalog};
};

constexpr const char* kEnglish = kEnglishCatalog;
constexpr const char* kChinese = kChineseCatalog;
using EnglishFrameTest = FrameUnderCatalogTest<&kEnglish>;
using ChineseFrameTest = FrameUnderCatalogTest<&kChinese>;

TEST_F(EnglishFrameTest, NoMenuOrActionTextHasAChineseCharacter) {
    int walked = 0;
    for (QAction* action : allActions()) {
        // A language is offered by its own name.
        if (action->text() == QStringLiteral("中文")) continue;
        for (const QString& text :
             {action->text(), action->statusTip(), action->toolTip(), action->iconText()}) {
            EXPECT_FALSE(hasChinese(text)) << text.toStdString();
        }
        ++walked;
    }
    EXPECT_GT(walked, 0);
}

TEST_F(EnglishFrameTest, AFailedTextExportIsTold) {
    fillMinuteLog(data().log.store, 2, 10);
    saveAndLoadLog();
    // A plain file where the folder should be: the file cannot be written.
    std::ofstream(root() + "/blocker") << "x";
    const std::string chosen = root() + "/blocker/report";
    ModalAnswerer answerer;
    answerer.onDialog = [&](QDialog& dialog) {
        if (auto* files = qobject_cast<QFileDialog*>(&dialog)) {
            files->selectFile(QString::fromStdString(chosen));
            QMetaObject::invokeMethod(files, "accept");
        }
    };
    frame().onCommand(ID_SAVE_TXT);
    EXPECT_THAT(answerer.messages, ElementsAre("Failed to save the data to the TXT file!"));
}

TEST_F(ChineseFrameTest, TheMenusAreInChinese) {
    const QList<QAction*> menus = frame().menuBar()->actions();
    ASSERT_FALSE(menus.isEmpty());
    EXPECT_EQ(menus.first()->text(), QStringLiteral("文件(&F)"));
}

// ---- View > Language ------------------------------------------------------

class LanguageMenuTest : public FrameWithLogTest {
protected:
    QMenu* languageMenu() { return frame().findChild<QMenu*>(QStringLiteral("languageMenu")); }
    QAction* item(const QString& text) {
        for (QAction* action : languageMenu()->actions()) {
            if (action->text() == text) return action;
        }
        return nullptr;
    }
};

TEST_F(LanguageMenuTest, OffersTheThreeChoicesWithTheSavedOneChecked) {
    ASSERT_NE(languageMenu(), nullptr);
    QStringList texts;
    for (QAction* action : languageMenu()->actions()) texts << action->text();
    EXPECT_EQ(texts, QStringList({"System", "English", QStringLiteral("中文")}));
    EXPECT_TRUE(item("System")->isChecked());
}

TEST_F(LanguageMenuTest, AChoiceIsKeptForTheNextStartAndSaysSo) {
    ASSERT_NE(languageMenu(), nullptr);
    {
        ModalAnswerer answerer;
        item(QStringLiteral("中文"))->trigger();
        EXPECT_THAT(answerer.messages,
                    ElementsAre("The language changes the next time Dravin starts."));
    }
    EXPECT_EQ(Profile().language(), LanguageChoice::Chinese);
    EXPECT_TRUE(item(QStringLiteral("中文"))->isChecked());
    EXPECT_EQ(windowText("Ready"), "Ready") << "not before the next start";
    {
        ModalAnswerer answerer;
        item(QStringLiteral("中文"))->trigger();
        EXPECT_THAT(answerer.messages, IsEmpty()) << "nothing changed";
    }
    Profile().setLanguage(LanguageChoice::System);
}

TEST(ProfileLanguage, AnUnknownSavedValueReadsAsSystem) {
    Profile profile;
    profile.settings().setValue("View/Language", "Klingon");
    EXPECT_EQ(profile.language(), LanguageChoice::System);
    for (LanguageChoice choice :
         {LanguageChoice::English, LanguageChoice::Chinese, LanguageChoice::System}) {
        profile.setLanguage(choice);
        EXPECT_EQ(Profile().language(), choice);
    }
}
