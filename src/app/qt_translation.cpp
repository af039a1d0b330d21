#include "app/qt_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

std::unique_ptr<QTranslator> InstallQtTranslation(const QLocale &locale)
{
    auto translator = std::make_unique<QTranslator>();
    // qtbase_<language>.qm holds the texts of Qt Core, Gui, Widgets and Print Support.
    if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))
        || !QCoreApplication::installTranslator(translator.get()))
        return nullptr;
    return translator;
}
