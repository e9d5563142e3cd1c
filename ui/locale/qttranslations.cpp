#include "ui/locale/qttranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace dawn {

QLocale LocaleOfLanguage(int languageIndex, const QLocale& system) {
    switch (languageIndex) {
        case 1:
            return QLocale(QLocale::Dutch);
        case 2:
            return QLocale(QLocale::French);
        case 3:
            return QLocale(QLocale::German);
        case 4:
            return QLocale(QLocale::English);
        case 5:
            return QLocale(QLocale::Italian);
        case 6:
            return QLocale(QLocale::Spanish);
        default:
            return system;
    }
}

QtTranslations::QtTranslations(QString folder)
    : folder_(folder.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath)
                               : std::move(folder)) {}

QtTranslations::~QtTranslations() {
    if (installed_) QCoreApplication::removeTranslator(installed_.get());
}

bool QtTranslations::Apply(int languageIndex, const QLocale& system) {
    const QLocale locale = LocaleOfLanguage(languageIndex, system);
    // Qt's texts are written in English: English needs no file.
    const QString name = locale.language() == QLocale::English ? QString() : locale.name();
    if (name == installedName_ && (installed_ != nullptr) == !name.isEmpty())
        return installed_ != nullptr;
    if (installed_) {
        QCoreApplication::removeTranslator(installed_.get());
        installed_.reset();
    }
    installedName_ = name;
    if (name.isEmpty()) return false;
    auto translator = std::make_unique<QTranslator>();
    // qtbase_fr_FR, then qtbase_fr: the file of the language serves every
    // country.
    if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), folder_))
        return false;
    if (!QCoreApplication::installTranslator(translator.get())) return false;
    installed_ = std::move(translator);
    return true;
}

}  // namespace dawn
