#pragma once

// The English catalog's words for a text of the core (a TextCatalog for
// installTextCatalog): nullptr where the source text is English already.
// The table is generated from res/translations/dravin_en.ts at build time.
const char* englishText(const char* source);
