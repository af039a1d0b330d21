#pragma once

#include <QLocale>
#include <QTranslator>

#include <memory>

// Qt's own texts (file, print and preview dialogs, the edit boxes' context menus)
// in the desktop's language, from Qt's installed translations. The program's own
// captions and messages are not translated: they are Russian as they stand.
// Returns the installed translator (kept alive by the caller), or null when Qt
// has no translation for that language.
std::unique_ptr<QTranslator> InstallQtTranslation(const QLocale &locale = QLocale::system());
