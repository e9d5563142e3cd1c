// Writes the table of locales the command line uses in place of the windows'
// toolkit: the formats of every locale the toolkit knows (MakeLocaleFormats),
// and the locale names that lead to each of them.
//   make_locale_table <output.inc>
#include <QLocale>
#include <QSaveFile>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "present/localefields.h"
#include "ui/common/qtlocale.h"

namespace {

// A C string literal of UTF-8 bytes; octal escapes never run into the next
// character.
std::string Literal(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c >= 0x7F) {
            char esc[8];
            std::snprintf(esc, sizeof esc, "\\%03o", c);
            out += esc;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_locale_table <output.inc>\n");
        return 2;
    }
    QList<QLocale> locales{QLocale::c()};
    for (const QLocale& l : QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript,
                                                     QLocale::AnyTerritory)) {
        if (l != QLocale::c()) locales.push_back(l);
    }

    std::vector<std::string> strings;
    std::map<std::string, std::size_t> stringIndex;
    auto indexOf = [&](const std::string& s) {
        auto [it, added] = stringIndex.emplace(s, strings.size());
        if (added) strings.push_back(s);
        return it->second;
    };
    std::vector<std::vector<std::size_t>> rows;
    for (const QLocale& l : locales) {
        std::vector<std::size_t> row;
        for (const std::string& field : dawn::LocaleFields(dawn::MakeLocaleFormats(l)))
            row.push_back(indexOf(field));
        rows.push_back(std::move(row));
    }

    // Every name a locale can be asked for by: its own, its language alone,
    // with its territory, with its script, with both. Each leads to the
    // locale the toolkit makes of that name.
    std::map<std::string, std::size_t> keys{{"C", 0}, {"POSIX", 0}};
    for (const QLocale& l : locales) {
        if (l == QLocale::c()) continue;
        const QString language = QLocale::languageToCode(l.language());
        const QString script = QLocale::scriptToCode(l.script());
        const QString territory = QLocale::territoryToCode(l.territory());
        for (const QString& name :
             {l.name(), language, language + u'_' + territory, language + u'_' + script,
              language + u'_' + script + u'_' + territory}) {
            const qsizetype row = locales.indexOf(QLocale(name));
            if (row >= 0) keys.emplace(name.toStdString(), static_cast<std::size_t>(row));
        }
    }

    // The table holds no pointers: the texts lie in one array, found by their
    // offsets, so that the loader has nothing to relocate in it and a run
    // reads only the pages of the locale it looks up.
    std::vector<std::size_t> keyNames;
    for (const auto& [name, row] : keys) keyNames.push_back(indexOf(name));
    std::string out =
        "// The locales of the windows' toolkit, written by ui/locale/make_locale_table.\n";
    out += "constexpr char kLocaleText[] =\n";
    std::vector<std::size_t> offsets;
    std::size_t at = 0;
    for (const std::string& s : strings) {
        offsets.push_back(at);
        at += s.size();
        out += "    " + Literal(s) + "\n";
    }
    offsets.push_back(at);
    out += "    \"\";\nconstexpr std::uint32_t kLocaleTextAt[] = {\n";
    for (std::size_t offset : offsets) out += "    " + std::to_string(offset) + ",\n";
    out += "};\nconstexpr std::uint16_t kLocaleRows[][kLocaleFieldCount] = {\n";
    for (const auto& row : rows) {
        out += "    {";
        for (std::size_t i = 0; i < row.size(); ++i) out += (i ? "," : "") + std::to_string(row[i]);
        out += "},\n";
    }
    out += "};\nconstexpr LocaleKey kLocaleKeys[] = {\n";
    std::size_t k = 0;
    for (const auto& [name, row] : keys)
        out += "    {" + std::to_string(keyNames[k++]) + ", " + std::to_string(row) + "},  // " +
               name + "\n";
    out += "};\n";

    QSaveFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(out.data(), static_cast<qint64>(out.size())) !=
            static_cast<qint64>(out.size()) ||
        !file.commit()) {
        std::fprintf(stderr, "make_locale_table: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
