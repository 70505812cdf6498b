#pragma once

// The program's texts are written in the code as its source texts (English
// and Chinese as they stand). A catalog installed at the edge turns each into
// the user's language: the window's Qt translator, the command line's English
// words. Without one, every text is its source text (the C locale).
//
// tx("...") marks a text for the translation catalogs and looks it up; a
// text with printf placeholders is looked up first and formatted after.
// lupdate finds tx() and txNoop() texts (cmake/CatalogTexts.cmake) and the
// catalogs hold them in the context "Dravin"; only a literal is found.
using TextCatalog = const char* (*)(const char* source);

// The text the installed catalog gives for `source`, or `source` itself.
// The result lives as long as the catalog.
// The compiler checks a looked-up format against its arguments.
[[gnu::format_arg(1)]] const char* tx(const char* source);

// Marks a text that is named once (a constant, a table's entry) and looked
// up with tx() where it is shown.
constexpr const char* txNoop(const char* source) {
    return source;
}

// Installs the catalog that tx() asks; nullptr removes it.
void installTextCatalog(TextCatalog catalog);
