#include "app/widgets/Language.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "base/Texts.h"
#include "ui/widgets/WindowTexts.h"

// The catalogs are compiled into the static GUI library; its resource table
// has to be registered by hand, outside any namespace.
static void registerCatalogs() {
    static const bool registered = [] {
        Q_INIT_RESOURCE(dravin_translations);
        return true;
    }();
    (void)registered;
}

namespace {

std::unique_ptr<QTranslator>& installedTranslator() {
    static std::unique_ptr<QTranslator> translator;
    return translator;
}

// The core keeps the pointers tx() returns: each translation is kept as
// UTF-8 for the rest of the run. The engine may ask from its own thread.
struct TranslationCache {
    std::mutex mutex;
    std::map<std::string, std::string, std::less<>> texts;
};

TranslationCache& translationCache() {
    static TranslationCache cache;
    return cache;
}

const char* translatedText(const char* source) {
    TranslationCache& cache = translationCache();
    std::lock_guard lock(cache.mutex);
    auto found = cache.texts.find(std::string_view(source));
    if (found == cache.texts.end()) {
        found = cache.texts.emplace(source, windowText(source).toStdString()).first;
    }
    return found->second.c_str();
}

void forgetTranslations() {
    TranslationCache& cache = translationCache();
    std::lock_guard lock(cache.mutex);
    cache.texts.clear();
}

bool isChinese(const QString& language) {
    return language.startsWith(QStringLiteral("zh"), Qt::CaseInsensitive);
}

}  // namespace

QString catalogFor(LanguageChoice choice, const QStringList& uiLanguages) {
    switch (choice) {
        case LanguageChoice::English:
            return kEnglishCatalog;
        case LanguageChoice::Chinese:
            return kChineseCatalog;
        case LanguageChoice::System:
            break;
    }
    for (const QString& language : uiLanguages) {
        if (language.isEmpty() || language == QStringLiteral("C")) continue;
        return isChinese(language) ? kChineseCatalog : kEnglishCatalog;
    }
    return {};
}

QStringList systemUiLanguages() {
    const QLocale locale = QLocale::system();
    if (locale.language() == QLocale::C) return {};
    return locale.uiLanguages();
}

bool installCatalog(const QString& name) {
    installTextCatalog(nullptr);
    if (auto& old = installedTranslator()) QCoreApplication::removeTranslator(old.get());
    installedTranslator().reset();
    forgetTranslations();
    if (name.isEmpty()) return true;
    registerCatalogs();
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(name, kCatalogFolder)) return false;
    QCoreApplication::installTranslator(translator.get());
    installedTranslator() = std::move(translator);
    installTextCatalog(translatedText);
    return true;
}
