#pragma once

#include <QString>
#include <QStringList>

// The language of the window's texts and of the core's tx() texts. The
// catalogs are built from res/translations and embedded under
// kCatalogFolder; without one every text is its source text.

enum class LanguageChoice {
    System,  // what the user's locale asks for
    English,
    Chinese,  // Simplified Chinese
};

inline constexpr const char* kCatalogFolder = ":/translations/";
inline constexpr const char* kEnglishCatalog = "dravin_en";
inline constexpr const char* kChineseCatalog = "dravin_zh_CN";

// The catalog for `choice`: for System, a Chinese locale's first UI language
// gives the Chinese catalog and any other the English one; the C locale
// (`uiLanguages` of the C locale, or empty) none, an empty name.
QString catalogFor(LanguageChoice choice, const QStringList& uiLanguages);

// The locale's UI languages, empty for the C/POSIX locale.
QStringList systemUiLanguages();

// Loads the catalog named `name` (kEnglishCatalog, ...) into the application,
// for the window (QCoreApplication::translate) and the core (tx()); an empty
// name, or a catalog that does not load, leaves the source texts. Replaces a
// catalog installed before; false when the named one did not load.
bool installCatalog(const QString& name);
