#pragma once

#include <QCoreApplication>
#include <QString>

// The window's texts outside its QObject classes (tables, constants, free
// functions) belong to one translation context; each is marked where it is
// written, with QT_TRANSLATE_NOOP("Dravin", ...) or
// QCoreApplication::translate("Dravin", ...), and translated where shown.
inline constexpr const char* kTextContext = "Dravin";

// `source` in the user's language (itself without a catalog).
inline QString windowText(const char* source) {
    return QCoreApplication::translate(kTextContext, source);
}
