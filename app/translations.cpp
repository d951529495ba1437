// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace kavo {

Translations::Translations(const QLocale& locale)
{
    // The person's languages in their order of preference. The texts are
    // written in English, so English anywhere in the list ends the search:
    // someone who reads English first and German second gets English.
    for (const QString& name : locale.uiLanguages()) {
        const QLocale language(name);
        if (language.language() == QLocale::English) return;
        // Tries "kavo_de_AT.qm", then "kavo_de.qm".
        if (!application_.load(language, QStringLiteral("kavo"), QStringLiteral("_"), QStringLiteral(":/kavo/i18n"))) {
            continue;
        }
        // Qt's catalogues in the same language for the controls, when the
        // system has them; qtbase and qtdeclarative directly, not the "qt"
        // bundle, which fails as a whole when any module it names is missing.
        // Installed first: the translator installed last is asked first.
        const QString qtDirectory = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
        if (qtBase_.load(language, QStringLiteral("qtbase"), QStringLiteral("_"), qtDirectory)) {
            QCoreApplication::installTranslator(&qtBase_);
        }
        if (qtDeclarative_.load(language, QStringLiteral("qtdeclarative"), QStringLiteral("_"), qtDirectory)) {
            QCoreApplication::installTranslator(&qtDeclarative_);
        }
        hasApplication_ = QCoreApplication::installTranslator(&application_);
        return;
    }
}

} // namespace kavo
