#include "ui/locale/qttranslations.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QString>

namespace dawn {
namespace {

// A standard button's text as Qt writes it.
QString Cancel() {
    return QCoreApplication::translate("QPlatformTheme", "Cancel");
}

// Each language brings Qt's own texts in that language, the next one
// replaces it, and English (or the system's English under "Loc") takes the
// translation away again.
TEST(QtTranslations, FollowTheChosenLanguage) {
    int argc = 0;
    QCoreApplication app(argc, nullptr);
    const struct {
        int language;
        const char* cancel;
    } cases[] = {
        {2, "Annuler"}, {3, "Abbrechen"}, {1, "Annuleren"}, {6, "Cancelar"},
        {5, "Annulla"}, {4, "Cancel"},    {0, "Cancel"},    {2, "Annuler"},
    };
    QtTranslations translations;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language);
        translations.Apply(c.language, QLocale(QLocale::English, QLocale::UnitedKingdom));
        EXPECT_EQ(Cancel().toStdString(), c.cancel);
    }
    // "Loc" follows the system's locale.
    translations.Apply(0, QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(Cancel().toStdString(), "Abbrechen");

    // Without the files the texts stay English.
    QtTranslations none(QStringLiteral("/nonexistent"));
    translations.Apply(4, QLocale::c());
    EXPECT_FALSE(none.Apply(2, QLocale::c()));
    EXPECT_EQ(Cancel().toStdString(), "Cancel");
}

}  // namespace
}  // namespace dawn
