#include "i18n/labels.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "core/settings.h"
#include "core/textfile.h"

namespace dawn {
namespace {

const std::string kEmpty;

// A message lists this many problem lines; the rest are only counted, so a
// file of ten thousand bad lines still gives one readable message.
constexpr std::size_t kListedLines = 10;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The length in bytes of the UTF-8 character that starts `text`.
std::size_t FirstCharacterLength(const std::string& text) {
    if (text.empty()) return 0;
    const auto lead = static_cast<unsigned char>(text[0]);
    std::size_t length = 1;
    if (lead >= 0xF0) {
        length = 4;
    } else if (lead >= 0xE0) {
        length = 3;
    } else if (lead >= 0xC0) {
        length = 2;
    }
    // Never cut into what does not follow as continuation bytes.
    std::size_t n = 1;
    while (n < length && n < text.size() && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
        ++n;
    return n;
}

std::string FirstCharacter(const std::string& text) {
    return text.substr(0, FirstCharacterLength(text));
}

// A row or column number as the file writes it: two digits, three from 100.
std::string CellNumber(int n) {
    std::string digits = std::to_string(n);
    if (digits.size() < 2) digits.insert(0, 1, '0');
    return digits;
}

struct ProblemList {
    std::string heading;
    std::vector<std::string> entries;
    std::size_t count = 0;

    void Add(std::string entry) {
        ++count;
        if (entries.size() < kListedLines) entries.push_back(std::move(entry));
    }
    void AppendTo(std::string& message) const {
        if (count == 0) return;
        if (!message.empty()) message += "\n\n";
        message += heading;
        for (const std::string& e : entries) message += "\n" + e;
        if (count > entries.size()) {
            message += "\n... and " + std::to_string(count - entries.size()) + " more.";
        }
    }
};

// A line as it appears in a message: long lines are shortened.
std::string Quoted(const std::string& line) {
    constexpr std::size_t kShown = 60;
    std::string quoted(1, '"');
    if (line.size() <= kShown) {
        quoted.append(line);
    } else {
        std::size_t cut = kShown;  // back up to the start of a UTF-8 character
        while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
        quoted.append(line, 0, cut).append("...");
    }
    quoted.push_back('"');
    return quoted;
}

std::string LineEntry(std::size_t index, const std::string& line) {
    return "line " + std::to_string(index + 1) + ": " + Quoted(line);
}

}  // namespace

std::string CapLabelText(std::string text) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;  // inside one
        if (characters++ == kMaxLabelChars) {
            text.resize(i);
            break;
        }
    }
    return text;
}

LabelTable::LabelTable(int columns, int rows)
    : columns_(std::clamp(columns, 0, kMaxLabelTableSide)),
      rows_(std::clamp(rows, 0, kMaxLabelRows)),
      cells_(static_cast<std::size_t>(columns_) * static_cast<std::size_t>(rows_)) {}

bool LabelTable::Contains(int column, int row) const {
    return column >= 0 && column < columns_ && row >= 0 && row < rows_;
}

std::size_t LabelTable::Index(int column, int row) const {
    return static_cast<std::size_t>(column) * static_cast<std::size_t>(rows_) +
           static_cast<std::size_t>(row);
}

const std::string& LabelTable::Cell(int column, int row) const {
    if (!Contains(column, row)) return kEmpty;
    return cells_[Index(column, row)];
}

bool LabelTable::SetCell(int column, int row, std::string text) {
    if (!Contains(column, row)) return false;
    cells_[Index(column, row)] = std::move(text);
    return true;
}

const std::string& LabelTable::Label(int languageIndex, int labelNumber) const {
    if (languageIndex < 0 || languageIndex >= kMaxLabelTableSide) return kEmpty;
    return Cell(languageIndex + 1, labelNumber);
}

const std::string& CurrentLabels::operator[](int n) const {
    if (n < 0 || n >= kLabelCount) return kEmpty;
    return texts[static_cast<std::size_t>(n)];
}

CurrentLabels ApplyLanguage(const LabelTable& table, int languageIndex,
                            const WeekdayNames& localeWeekdays) {
    CurrentLabels labels;
    labels.languageIndex = languageIndex;
    for (int n = 0; n < kLabelCount; ++n) {
        labels.texts[static_cast<std::size_t>(n)] = table.Label(languageIndex, n);
    }
    if (languageIndex == 0) {
        for (int day = 0; day < 7; ++day) {
            labels.texts[static_cast<std::size_t>(label::kFirstWeekday + day)] =
                localeWeekdays[static_cast<std::size_t>(day)];
        }
    }
    labels.hemisphere = {
        FirstCharacter(labels[label::kNorth]), FirstCharacter(labels[label::kEast]),
        FirstCharacter(labels[label::kSouth]), FirstCharacter(labels[label::kWest])};
    return labels;
}

namespace {

// How the lines of a label file fared.
struct LineCounts {
    std::size_t used = 0;
    std::size_t malformed = 0;
};

// The length of a line's structure: "CC-RR-" (6) or, for the rows from 100
// on, "CC-RRR-" (7); 0 for a line of another shape. A two-digit row is
// followed by its hyphen, so the two shapes never read one line twice.
std::size_t StructureLength(const std::string& line) {
    if (line.size() < 6 || !IsDigit(line[0]) || !IsDigit(line[1]) || line[2] != '-' ||
        !IsDigit(line[3]) || !IsDigit(line[4]))
        return 0;
    if (line[5] == '-') return 6;
    if (line.size() >= 7 && line[3] != '0' && IsDigit(line[5]) && line[6] == '-') return 7;
    return 0;
}

bool IsLabelLine(const std::string& line) {
    return StructureLength(line) != 0;
}

int ColumnOf(const std::string& line) {
    return (line[0] - '0') * 10 + (line[1] - '0');
}

int RowOf(const std::string& line) {
    int row = 0;
    for (std::size_t i = 3; i + 1 < StructureLength(line); ++i) row = row * 10 + (line[i] - '0');
    return row;
}

// `seen` gets one flag per cell of the table: whether a line set it.
LineCounts ParseInto(const std::vector<std::string>& lines, LabelLoad& result,
                     std::vector<bool>& seen) {
    LineCounts counts;
    // The table holds every cell a line names: the digits keep it within
    // kMaxLabelTableSide columns and kMaxLabelRows rows.
    int columns = kLabelColumns;
    int rows = kLabelCount;
    for (const std::string& line : lines) {
        if (!IsLabelLine(line)) continue;
        columns = std::max(columns, ColumnOf(line) + 1);
        rows = std::max(rows, RowOf(line) + 1);
    }
    result.table = LabelTable(columns, rows);
    ProblemList malformed{
        "These lines of the label file were skipped: a line starts with a two-digit column, "
        "a hyphen, a two-digit row (three digits from row 100) and a hyphen, as in "
        "05-09-Sunrise.",
        {},
        0};
    ProblemList repeated{
        "These lines of the label file repeat a cell; the later line is used.", {}, 0};
    ProblemList tooLong{"These labels are longer than " + std::to_string(kMaxLabelChars) +
                            " characters and were cut there.",
                        {},
                        0};
    seen.assign(static_cast<std::size_t>(columns * rows), false);

    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.find_first_not_of(" \t") == std::string::npos) continue;  // blank
        if (!IsLabelLine(line)) {
            malformed.Add(LineEntry(i, line));
            continue;
        }
        const int column = ColumnOf(line);
        const int row = RowOf(line);
        const std::size_t start = StructureLength(line);
        std::string text = CapLabelText(line.substr(start));
        if (text.size() + start < line.size()) tooLong.Add(LineEntry(i, line));
        result.table.SetCell(column, row, std::move(text));
        const auto cell = static_cast<std::size_t>(column * rows + row);
        if (seen[cell]) repeated.Add(LineEntry(i, line));
        seen[cell] = true;
        ++counts.used;
    }

    malformed.AppendTo(result.message);
    repeated.AppendTo(result.message);
    tooLong.AppendTo(result.message);
    counts.malformed = malformed.count;
    return counts;
}

LineCounts ParseInto(const std::vector<std::string>& lines, LabelLoad& result) {
    std::vector<bool> seen;
    return ParseInto(lines, result, seen);
}

LabelLoad BuiltInLabels() {
    LabelLoad load;
    ParseInto(SplitLines(DecodeText(BuiltInLabelFile())), load);
    load.message.clear();
    load.builtIn = true;
    return load;
}

}  // namespace

LabelLoad ParseLabelLines(const std::vector<std::string>& lines) {
    LabelLoad result;
    std::vector<bool> seen;
    const LineCounts counts = ParseInto(lines, result, seen);
    LabelLoad builtIn = BuiltInLabels();
    if (counts.used > 0) {
        // A file of an older version lacks the later rows: the program's own
        // texts fill them, and what the file has stays as it is.
        const int rows = result.table.Rows();
        for (int column = 0; column < kLabelColumns; ++column) {
            for (int row = kFirstAddedLabel; row < kLabelCount; ++row) {
                if (!seen[static_cast<std::size_t>(column * rows + row)])
                    result.table.SetCell(column, row, builtIn.table.Cell(column, row));
            }
        }
        return result;
    }
    // Nothing usable: the program's own labels keep every window complete.
    if (counts.malformed > 0) {
        builtIn.message =
            "The label file holds no usable line; the program's own labels are used.\n\n" +
            result.message;
    }
    return builtIn;
}

std::string LabelFilePath(const std::string& appDir) {
    return JoinPath(appDir, "Dawnlabel.txt");
}

LabelLoad LoadLabelTable(const std::string& appDir, UserId user) {
    const std::string path = LabelFilePath(appDir);
    TextFileResult file = ReadTextFile(path, kMaxTextFileBytes, user);
    if (file.status == TextFileStatus::Missing) {
        return BuiltInLabels();
    }
    LabelLoad load;
    if (!file.ok()) {
        load = BuiltInLabels();
        load.message = file.error + "\nThe program's own labels are used.";
    } else {
        load = ParseLabelLines(file.lines);
        if (file.convertedLines > 0) {
            if (!load.message.empty()) load.message += "\n\n";
            load.message += ConvertedLinesNote(file.convertedLines);
        }
        if (!load.message.empty()) load.message = path + "\n\n" + load.message;
    }
    // Whatever the program could not take over is kept before the file is
    // replaced.
    if (!load.message.empty()) {
        load.keepCopyBeforeSave = true;
        load.message +=
            "\n\nThe file will be kept as \"" + path + ".bak\" before the labels are saved.";
    }
    return load;
}

std::vector<std::string> LabelTableLines(const LabelTable& table) {
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(table.Columns()) *
                  static_cast<std::size_t>(table.Rows()));
    for (int column = 0; column < table.Columns(); ++column) {
        for (int row = 0; row < table.Rows(); ++row) {
            std::string text = table.Cell(column, row);
            std::replace_if(
                text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
            lines.push_back(CellNumber(column) + "-" + CellNumber(row) + "-" + text);
        }
    }
    return lines;
}

std::optional<std::string> SaveLabelTable(const LabelTable& table, const std::string& appDir,
                                          bool* keepCopyFirst, UserId user) {
    const std::string path = LabelFilePath(appDir);
    // An empty table would wipe every translation on disk.
    if (table.Columns() == 0 || table.Rows() == 0) {
        return "The label table is empty; " + path + " was not written.";
    }
    if (keepCopyFirst != nullptr && *keepCopyFirst) {
        const TextFileResult kept = KeepBackupCopy(path, user);
        if (!kept.ok()) return kept.error;
    }
    const TextFileResult written = WriteTextFileAtomic(path, LabelTableLines(table), "\r\n", user);
    if (written.ok()) {
        if (keepCopyFirst != nullptr) *keepCopyFirst = false;
        return std::nullopt;
    }
    std::string message = "Cannot create file ";
    message.append(path).append(": ").append(written.reason);
    return message;
}

}  // namespace dawn
