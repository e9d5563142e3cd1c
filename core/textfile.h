// Plain text files read whole and written atomically.
//
// Reading accepts UTF-8 (with or without a byte-order mark) line by line: a
// line that is valid UTF-8 stays as it is, and only a line that is not is
// taken as Windows-1252, so a file saved by an older editor keeps its accented
// letters and one stray byte does not turn the rest of a UTF-8 file into
// mojibake. Lines may end in CR, LF or CR LF; a final line end does not add an
// empty line. Every text handed back is UTF-8.
//
// Writing goes to a new file beside the target, created fresh (never an
// existing name, never through a link), is flushed to disk and then renamed
// over the target, so a failed write never leaves a half file: the old file
// stays as it was.
//
// What may be replaced: nothing but a regular file, or a symbolic link to a
// regular file of the user (the link stays and its file is replaced). A
// device, a pipe, a socket, a folder, a dangling link or a link to another
// user's file is refused with a message. In a folder that other users can
// write to (group or world writable, such as /tmp or a shared folder), a file
// is used only when the user owns it, and a link only when the user owns the
// link and the file it names: the same protection the kernel gives sticky
// folders, so that nobody can plant a file or a link for the program to read
// or to overwrite.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace dawn {

// The user the program runs as: files are checked for this user. Tests pass
// another id to see a folder as another user sees it.
using UserId = unsigned;
UserId CurrentUser();

// Files above this size are refused rather than read: no text file of the
// program comes anywhere near it.
inline constexpr std::size_t kMaxTextFileBytes = 16u * 1024u * 1024u;

enum class TextFileStatus : std::uint8_t {
    Ok,
    Missing,      // no file of that name (the caller usually takes defaults)
    TooLarge,     // more than the allowed number of bytes
    Unreadable,   // exists but could not be opened, read or trusted (a folder, a pipe, no
                  // rights, I/O error, another user's file in a shared folder)
    WriteFailed,  // the new contents could not be written or the target may not be
                  // replaced; the old file is untouched
    Cancelled,    // the writer gave up before the end; the old file is untouched
};

struct TextFileResult {
    TextFileStatus status = TextFileStatus::Ok;
    // For a failure: one English sentence naming the file and the system's
    // reason, ready to be shown to the user. Empty on success.
    std::string error;
    // The system's reason alone ("Permission denied"), for a caller that words
    // its own message. Empty on success.
    std::string reason;
    std::vector<std::string> lines;  // only filled by ReadTextFile
    // ReadTextFile: how many lines were not UTF-8 and were read as Windows-1252.
    std::size_t convertedLines = 0;
    std::string bytes;  // only filled by ReadFileBytes

    bool ok() const { return status == TextFileStatus::Ok; }
};

// Reads the whole file at `path` as it is, into `bytes`. Never throws.
TextFileResult ReadFileBytes(const std::string& path, std::size_t maxBytes = kMaxTextFileBytes,
                             UserId user = CurrentUser());

// Reads the whole file at `path` and splits it into lines, each decoded on
// its own (DecodeLine). Never throws.
TextFileResult ReadTextFile(const std::string& path, std::size_t maxBytes = kMaxTextFileBytes,
                            UserId user = CurrentUser());

// `bytes` without a leading UTF-8 byte-order mark.
std::string_view WithoutByteOrderMark(std::string_view bytes);

// One line as UTF-8: kept when it is valid UTF-8, otherwise taken as
// Windows-1252 and converted (`converted` is then set). NUL bytes are kept.
std::string DecodeLine(std::string_view bytes, bool* converted = nullptr);

// "3 lines were not UTF-8 and were read as Windows-1252." for a message.
std::string ConvertedLinesNote(std::size_t count);

// UTF-8 text from raw file bytes: a leading byte-order mark is dropped and
// every line is decoded on its own (DecodeLine); the line ends stay.
std::string DecodeText(std::string_view bytes);

// True when `bytes` is well-formed UTF-8 (no overlong forms, no surrogates,
// nothing above U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

// The longest start of `text` of at most `maxBytes` bytes that does not end
// inside a UTF-8 character, for texts cut to a length in messages.
std::string_view Utf8Prefix(std::string_view text, std::size_t maxBytes);

// A line of a file quoted for a message: at most `maxBytes` bytes of it, never
// cutting a character, with "..." inside the quotes when it was cut.
std::string QuotedExcerpt(std::string_view text, std::size_t maxBytes);

// A decimal number (a leading '+' allowed) filling the whole of `text`,
// from `min` to `max`; false, with `out` untouched, for anything else.
bool ParseNumberInRange(std::string_view text, double min, double max, double& out);

// Splits at CR LF, LF or a lone CR. "a\r\nb\n" gives {"a", "b"}; "" gives {};
// "\n" gives {""}.
std::vector<std::string> SplitLines(std::string_view text);

// Writes `bytes` to a new file beside `path`, flushes it to disk and renames
// it over `path` (over the file a link names, the link staying). An existing
// file keeps its permission bits. On failure, or when `path` names something
// that may not be replaced (see the top of this file), the result carries
// WriteFailed and the reason, and `path` is untouched. After a successful
// write, the files of earlier writes of the same target that were cut short
// (their process gone, nobody writing them) are removed.
TextFileResult WriteFileAtomic(const std::string& path, std::string_view bytes,
                               UserId user = CurrentUser());

// WriteFileAtomic of every line followed by `lineEnd`.
TextFileResult WriteTextFileAtomic(const std::string& path, const std::vector<std::string>& lines,
                                   std::string_view lineEnd = "\r\n", UserId user = CurrentUser());

// Keeps a copy of the file at `path` as `path` + ".bak" before the program
// replaces it: the copy is a new file, written beside and renamed into place,
// that only ever replaces an earlier copy of the user (a regular file the
// user owns); a link or anything else in its place is refused. Nothing is
// done when `path` does not exist. On failure the result names both files
// and the reason.
TextFileResult KeepBackupCopy(const std::string& path, UserId user = CurrentUser());

// Where a writer puts its bytes as it makes them. Write returns false when
// the bytes could not be taken (the writer should then stop).
class TextSink {
public:
    virtual ~TextSink() = default;
    virtual bool Write(std::string_view bytes) = 0;
};

// WriteFileAtomic for contents made as they are written: `produce` writes
// them into the sink it is given, so they need not be held in memory. The
// file is renamed over `path` only when `produce` returns true and every
// byte was written; when it returns false the result is Cancelled, and in
// either failure `path` is untouched.
TextFileResult WriteTextFileStreamed(const std::string& path,
                                     const std::function<bool(TextSink&)>& produce,
                                     UserId user = CurrentUser());

}  // namespace dawn
