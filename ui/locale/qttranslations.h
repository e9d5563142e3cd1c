#pragma once
// Qt's own texts (the standard buttons, the file and print dialogs) in the
// language the user chose among the label table's: Qt's translations, as the
// system installs them (qt6-translations-l10n), loaded for that language and
// swapped when it changes. "Loc" follows the system's locale.
#include <QLocale>
#include <QString>
#include <QTranslator>
#include <memory>

namespace dawn {

// The locale of a language of the label table: 0 Loc (the system's), 1 Ned,
// 2 Fra, 3 Deu, 4 Eng, 5 Ita, 6 Esp.
QLocale LocaleOfLanguage(int languageIndex, const QLocale& system);

class QtTranslations {
public:
    // `folder` holds the .qm files; empty means Qt's own translations folder.
    explicit QtTranslations(QString folder = {});
    ~QtTranslations();

    // Installs the translation of the language (none for English, or when
    // the system has no file for it) in place of the one before. Returns
    // whether a translation is installed now.
    bool Apply(int languageIndex, const QLocale& system);

private:
    QString folder_;
    std::unique_ptr<QTranslator> installed_;
    QString installedName_;
};

}  // namespace dawn
