#include "app/widgets/LanguageMenu.h"

#include <QActionGroup>
#include <QMenu>

#include "app/widgets/Language.h"
#include "app/widgets/Profile.h"
#include "base/FrameUi.h"
#include "ui/widgets/WindowTexts.h"

namespace {

struct LanguageItem {
    LanguageChoice choice;
    const char* text;
    bool translated;  // a language's own name is the same in every language
};

constexpr LanguageItem kLanguageItems[] = {
    {LanguageChoice::System, QT_TRANSLATE_NOOP("Dravin", "System"), true},
    {LanguageChoice::English, "English", false},
    {LanguageChoice::Chinese, "中文", false},
};

constexpr const char* kLanguageMenuText = QT_TRANSLATE_NOOP("Dravin", "Language");
constexpr const char* kNextStartText =
    QT_TRANSLATE_NOOP("Dravin", "The language changes the next time Dravin starts.");

}  // namespace

QMenu* addLanguageMenu(QMenu& viewMenu, FrameUi& ui) {
    QMenu* menu = viewMenu.addMenu(windowText(kLanguageMenuText));
    menu->setObjectName(QStringLiteral("languageMenu"));
    auto* group = new QActionGroup(menu);
    const LanguageChoice current = Profile().language();
    for (const LanguageItem& item : kLanguageItems) {
        QAction* action =
            menu->addAction(item.translated ? windowText(item.text) : QString::fromUtf8(item.text));
        action->setCheckable(true);
        action->setChecked(item.choice == current);
        group->addAction(action);
        QObject::connect(action, &QAction::triggered, menu, [&ui, choice = item.choice] {
            if (Profile().language() == choice) return;
            Profile().setLanguage(choice);
            ui.showMessage(windowText(kNextStartText).toStdString());
        });
    }
    return menu;
}
