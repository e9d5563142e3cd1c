// Plain text files read whole and written atomically.
//
// Reading accepts UTF-8 (with or without a byte-order mark) and falls back to
// Windows-1252 when the bytes are not valid UTF-8, so files saved by older
// editors keep their accented letters. Lines may end in CR, LF or CR LF; a
// final line end does not add an empty line. Every text handed back is UTF-8.
//
// Writing goes to a file beside the target, is flushed to disk and then
// renamed over the target, so a failed write never leaves a half file: the
// old file stays as it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dawn {

// Files above this size are refused rather than read: no text file of the
// program comes anywhere near it.
inline constexpr std::size_t kMaxTextFileBytes = 16u * 1024u * 1024u;

enum class TextFileStatus : std::uint8_t {
    Ok,
    Missing,      // no file of that name (the caller usually takes defaults)
    TooLarge,     // more than the allowed number of bytes
    Unreadable,   // exists but could not be opened or read (a folder, no rights, I/O error)
    WriteFailed,  // the new contents could not be written; the old file is untouched
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

    bool ok() const { return status == TextFileStatus::Ok; }
};

// Reads the whole file at `path` and splits it into lines (DecodeText, then
// SplitLines). Never throws.
TextFileResult ReadTextFile(const std::string& path, std::size_t maxBytes = kMaxTextFileBytes);

// UTF-8 text from raw file bytes: a leading UTF-8 byte-order mark is dropped;
// bytes that are valid UTF-8 are kept as they are, anything else is taken as
// Windows-1252 and converted. NUL bytes are kept.
std::string DecodeText(std::string_view bytes);

// True when `bytes` is well-formed UTF-8 (no overlong forms, no surrogates,
// nothing above U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

// Splits at CR LF, LF or a lone CR. "a\r\nb\n" gives {"a", "b"}; "" gives {};
// "\n" gives {""}.
std::vector<std::string> SplitLines(std::string_view text);

// Writes every line followed by `lineEnd` to a new file beside `path`,
// flushes it to disk and renames it over `path` (following a symbolic link to
// its target). An existing file keeps its permission bits. On failure the
// result carries WriteFailed and the system's reason, and `path` is untouched.
// After a successful write, the files of earlier writes of the same target
// that were cut short (their process gone, nobody writing them) are removed.
TextFileResult WriteTextFileAtomic(const std::string& path, const std::vector<std::string>& lines,
                                   std::string_view lineEnd = "\r\n");

}  // namespace dawn
