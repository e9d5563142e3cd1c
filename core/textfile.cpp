#include "core/textfile.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace dawn {
namespace {

std::string SystemReason(int err) {
    return std::error_code(err, std::generic_category()).message();
}

TextFileResult Failure(TextFileStatus status, std::string message, std::string reason) {
    TextFileResult r;
    r.status = status;
    r.error = std::move(message);
    r.reason = std::move(reason);
    return r;
}

// "Cannot <action> "<path>": <reason>."
TextFileResult Cannot(TextFileStatus status, std::string_view action, const std::string& path,
                      std::string reason) {
    std::string message = "Cannot ";
    message.append(action).append(" \"").append(path).append("\": ").append(reason).append(".");
    return Failure(status, std::move(message), std::move(reason));
}

TextFileResult TooLarge(const std::string& path, const std::string& detail) {
    std::string message = "The file \"";
    message.append(path).append("\" is too large to be read (").append(detail).append(").");
    return Failure(TextFileStatus::TooLarge, std::move(message), "too large to be read");
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Windows-1252 bytes 0x80..0x9F; the five bytes the code page leaves unused
// map to the C1 control of the same value.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Unique names for the files written beside a target within this process.
std::atomic<unsigned> g_tempCounter{0};

// The new contents are written to "." + target name + ".tmp-" + pid + "-" + n
// beside the target, and that file is locked (flock) while it is written.
std::string TempFileName(const std::string& targetName, unsigned n) {
    std::string name(1, '.');
    name.append(targetName).append(".tmp-").append(std::to_string(::getpid()));
    name.append("-").append(std::to_string(n));
    return name;
}

bool AllDigits(std::string_view s) {
    return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos;
}

// The writing process of `name` when it is one of our temporary files for
// `targetName`; 0 for any other name.
pid_t TempFileOwner(std::string_view name, const std::string& targetName) {
    std::string prefix(1, '.');
    prefix.append(targetName).append(".tmp-");
    if (name.size() <= prefix.size() || name.substr(0, prefix.size()) != prefix) return 0;
    name.remove_prefix(prefix.size());
    const std::size_t dash = name.find('-');
    if (dash == std::string_view::npos || dash > 9 || !AllDigits(name.substr(0, dash)) ||
        !AllDigits(name.substr(dash + 1))) {
        return 0;
    }
    return static_cast<pid_t>(std::stol(std::string(name.substr(0, dash))));
}

// A save killed midway leaves its temporary file behind. One is stale when no
// one holds its lock and the process that wrote it is gone (or is this one,
// which only happens after a restart that was given the same process id).
// Only regular files of our own pattern for this one target are touched.
void RemoveStaleTempFiles(const std::filesystem::path& dir, const std::string& targetName) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::directory_iterator it(dir, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const std::string name = it->path().filename().string();
        const pid_t owner = TempFileOwner(name, targetName);
        if (owner <= 0) continue;
        if (owner != ::getpid() && !(::kill(owner, 0) != 0 && errno == ESRCH)) continue;
        const std::string path = it->path().string();
        const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat st {};
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            ::unlink(path.c_str());
        }
        ::close(fd);
    }
}

bool CloseChecked(int fd) {
    return ::close(fd) == 0 || errno == EINTR;
}

std::string FolderOf(const std::string& path) {
    const std::filesystem::path p(path);
    return p.has_parent_path() ? p.parent_path().string() : std::string(".");
}

// Whether users other than the folder's owner may create, rename or remove
// names in the folder of `path`.
bool InSharedFolder(const std::string& path) {
    struct stat folder {};
    return ::stat(FolderOf(path).c_str(), &folder) == 0 && (folder.st_mode & (S_IWGRP | S_IWOTH));
}

constexpr const char* kSharedFolder = ", in a folder others can write to";

// True when the chain of links from `path` passes through /proc, as
// /dev/stdout does (to /proc/self/fd/1): such a link names a file some process
// has open, perhaps the shell's own output, and replacing that file would
// lose what the process writes after the rename.
bool LinksThroughProc(const std::string& path) {
    namespace fs = std::filesystem;
    fs::path current(path);
    for (int hop = 0; hop < 40; ++hop) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(current, ec))) return false;
        const fs::path folder =
            fs::canonical(current.has_parent_path() ? current.parent_path() : fs::path("."), ec);
        if (!ec && (folder == "/proc" || folder.string().rfind("/proc/", 0) == 0)) return true;
        const fs::path next = fs::read_symlink(current, ec);
        if (ec) return false;
        current = next.is_absolute() ? next : folder / next;
    }
    return false;
}

// What a replaced path names, once it passed the rules at the top of the
// header: nothing yet, or the regular file to rename over (the file a link
// names when `path` is a link).
struct ReplaceTarget {
    std::string refusal;  // why `path` may not be replaced; empty when it may
    std::string target;
    bool exists = false;
    mode_t mode = 0;
};

enum class Links : std::uint8_t { Follow, Refuse };

ReplaceTarget CheckReplace(const std::string& path, UserId user, Links links) {
    ReplaceTarget r;
    r.target = path;
    struct stat own {};
    if (::lstat(path.c_str(), &own) != 0) {
        if (errno != ENOENT) r.refusal = SystemReason(errno);
        return r;  // a new file
    }
    r.exists = true;
    const bool shared = InSharedFolder(path);
    if (S_ISLNK(own.st_mode)) {
        if (links == Links::Refuse) {
            r.refusal = "it is a symbolic link";
            return r;
        }
        if (shared && own.st_uid != user) {
            r.refusal = std::string("it is a symbolic link of another user") + kSharedFolder;
            return r;
        }
        struct stat named {};
        if (::stat(path.c_str(), &named) != 0) {
            r.refusal = "it is a symbolic link that leads to no file (" + SystemReason(errno) + ")";
            return r;
        }
        if (!S_ISREG(named.st_mode)) {
            r.refusal = "it is a symbolic link to something that is not a regular file";
            return r;
        }
        if (named.st_uid != user) {
            r.refusal = "it is a symbolic link to a file of another user";
            return r;
        }
        if (LinksThroughProc(path)) {
            r.refusal = "it is a symbolic link to a file a process has open (as /dev/stdout is)";
            return r;
        }
        char* resolved = ::realpath(path.c_str(), nullptr);
        if (resolved == nullptr) {
            r.refusal = SystemReason(errno);
            return r;
        }
        r.target = resolved;
        std::free(resolved);
        r.mode = named.st_mode & 07777;
        return r;
    }
    if (S_ISDIR(own.st_mode)) {
        r.refusal = SystemReason(EISDIR);
    } else if (!S_ISREG(own.st_mode)) {
        r.refusal = "it is not a regular file";
    } else if (shared && own.st_uid != user) {
        r.refusal = std::string("it belongs to another user") + kSharedFolder;
    }
    r.mode = own.st_mode & 07777;
    return r;
}

// A new file beside a target, under a name nobody used before: created with
// O_EXCL and O_NOFOLLOW, so neither an existing file nor a planted link is
// ever opened. Locked (flock) while it is written, so that no other save takes
// it for a leftover. Removed again unless Commit renamed it over the target.
class NewFileBeside {
public:
    NewFileBeside(const std::string& folder, const std::string& targetName) : folder_(folder) {
        for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
            path_ = (std::filesystem::path(folder) /
                     TempFileName(targetName, g_tempCounter.fetch_add(1)))
                        .string();
            fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
            if (fd_ < 0 && errno != EEXIST) {
                error_ = errno;
                return;
            }
        }
        if (fd_ < 0) {
            error_ = EEXIST;
            return;
        }
        created_ = true;
        ::flock(fd_, LOCK_EX | LOCK_NB);
    }
    ~NewFileBeside() {
        if (fd_ >= 0) ::close(fd_);
        if (created_ && !committed_) ::unlink(path_.c_str());
    }
    NewFileBeside(const NewFileBeside&) = delete;
    NewFileBeside& operator=(const NewFileBeside&) = delete;

    // 0, or the system's error number of the first step that failed.
    int error() const { return error_; }
    int fd() const { return fd_; }

    void SetMode(mode_t mode) {
        if (error_ == 0 && ::fchmod(fd_, mode) != 0) error_ = errno;
    }
    void Write(std::string_view bytes) {
        std::size_t done = 0;
        while (error_ == 0 && done < bytes.size()) {
            const ssize_t put = ::write(fd_, bytes.data() + done, bytes.size() - done);
            if (put < 0) {
                if (errno != EINTR) error_ = errno;
                continue;
            }
            done += static_cast<std::size_t>(put);
        }
    }
    // Flushes, closes and renames the file over `target`, then makes the
    // rename itself durable. 0 on success, else the system's error number.
    int Commit(const std::string& target) {
        if (fd_ < 0) return error_;
        if (error_ == 0 && ::fsync(fd_) != 0) error_ = errno;
        const int fd = fd_;
        fd_ = -1;
        if (!CloseChecked(fd) && error_ == 0) error_ = errno;
        if (error_ == 0 && ::rename(path_.c_str(), target.c_str()) != 0) error_ = errno;
        if (error_ != 0) return error_;
        committed_ = true;
        const int dfd = ::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dfd >= 0) {
            ::fsync(dfd);
            ::close(dfd);
        }
        return 0;
    }

private:
    std::string folder_;
    std::string path_;
    int fd_ = -1;
    int error_ = 0;
    bool created_ = false;
    bool committed_ = false;
};

}  // namespace

UserId CurrentUser() {
    return static_cast<UserId>(::geteuid());
}

bool IsValidUtf8(std::string_view s) {
    std::size_t i = 0;
    const std::size_t n = s.size();
    while (i < n) {
        const auto c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        std::size_t len;
        char32_t cp;
        if (c >= 0xC2 && c <= 0xDF) {
            len = 2;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            len = 3;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            len = 4;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (n - i < len) return false;
        for (std::size_t k = 1; k < len; ++k) {
            const auto cc = static_cast<unsigned char>(s[i + k]);
            if ((cc & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        if ((len == 3 && cp < 0x800) || (len == 4 && cp < 0x10000) || cp > 0x10FFFF ||
            (cp >= 0xD800 && cp <= 0xDFFF)) {
            return false;
        }
        i += len;
    }
    return true;
}

std::string_view Utf8Prefix(std::string_view text, std::size_t maxBytes) {
    if (text.size() <= maxBytes) return text;
    std::size_t cut = maxBytes;
    // Back up over continuation bytes to the start of the character they
    // belong to, at most three of them.
    for (int k = 0; k < 3 && cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80;
         ++k) {
        --cut;
    }
    return text.substr(0, cut);
}

std::string_view WithoutByteOrderMark(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    return bytes;
}

std::string DecodeLine(std::string_view bytes, bool* converted) {
    if (IsValidUtf8(bytes)) return std::string(bytes);
    if (converted != nullptr) *converted = true;
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    for (char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out += ch;
        } else if (c < 0xA0) {
            AppendUtf8(out, kCp1252High[c - 0x80]);
        } else {
            AppendUtf8(out, c);  // 0xA0..0xFF are Latin-1
        }
    }
    return out;
}

std::string ConvertedLinesNote(std::size_t count) {
    return std::to_string(count) +
           (count == 1 ? " line was not UTF-8 and was" : " lines were not UTF-8 and were") +
           " read as Windows-1252.";
}

namespace {

// Calls `line` with every line of `text` and `end` with the line end after
// it (empty after a last line without one).
template <typename Line, typename End>
void ForEachLine(std::string_view text, Line line, End end) {
    std::size_t start = 0;
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n; ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') continue;
        const std::size_t endStart = i;
        if (c == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
        line(text.substr(start, endStart - start));
        end(text.substr(endStart, i + 1 - endStart));
        start = i + 1;
    }
    if (start < n) line(text.substr(start));
}

}  // namespace

std::string DecodeText(std::string_view bytes) {
    bytes = WithoutByteOrderMark(bytes);
    std::string out;
    out.reserve(bytes.size());
    ForEachLine(
        bytes, [&out](std::string_view l) { out += DecodeLine(l); },
        [&out](std::string_view e) { out += e; });
    return out;
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    ForEachLine(
        text, [&lines](std::string_view l) { lines.emplace_back(l); }, [](std::string_view) {});
    return lines;
}

TextFileResult ReadFileBytes(const std::string& path, std::size_t maxBytes, UserId user) {
    // In a shared folder only the user's own file, or the user's own link to
    // the user's own file, is read: a planted one is refused before it is
    // opened, and the file opened is checked once more below.
    const bool shared = InSharedFolder(path);
    struct stat own {};
    if (shared && ::lstat(path.c_str(), &own) == 0 && own.st_uid != user) {
        if (S_ISLNK(own.st_mode)) {
            return Cannot(TextFileStatus::Unreadable, "read", path,
                          std::string("it is a symbolic link of another user") + kSharedFolder);
        }
        if (S_ISREG(own.st_mode)) {
            return Cannot(TextFileStatus::Unreadable, "read", path,
                          std::string("it belongs to another user") + kSharedFolder);
        }
    }
    // Not blocking: a named pipe must not hang the program at the open.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        const int err = errno;
        if (err == ENOENT) {
            return Failure(TextFileStatus::Missing, "The file \"" + path + "\" does not exist.",
                           SystemReason(err));
        }
        return Cannot(TextFileStatus::Unreadable, "open", path, SystemReason(err));
    }
    struct stat st {};
    if (::fstat(fd, &st) == 0) {
        const auto refuse = [fd](TextFileResult r) {
            ::close(fd);
            return r;
        };
        if (S_ISDIR(st.st_mode))
            return refuse(Cannot(TextFileStatus::Unreadable, "read", path, SystemReason(EISDIR)));
        if (!S_ISREG(st.st_mode)) {
            return refuse(
                Cannot(TextFileStatus::Unreadable, "read", path, "it is not a regular file"));
        }
        if (shared && st.st_uid != user) {
            return refuse(
                Cannot(TextFileStatus::Unreadable, "read", path,
                       std::string("it leads to a file of another user") + kSharedFolder));
        }
        if (static_cast<std::uintmax_t>(st.st_size) > maxBytes) {
            return refuse(TooLarge(
                path, std::to_string(st.st_size) + " bytes; at most " + std::to_string(maxBytes)));
        }
    }
    // A file that grows while it is read is held to the same limit.
    TextFileResult r;
    std::array<char, 65536> buf{};
    for (;;) {
        const ssize_t got = ::read(fd, buf.data(), buf.size());
        if (got < 0) {
            if (errno == EINTR) continue;
            const int err = errno;
            ::close(fd);
            return Cannot(TextFileStatus::Unreadable, "read", path, SystemReason(err));
        }
        if (got == 0) break;
        r.bytes.append(buf.data(), static_cast<std::size_t>(got));
        if (r.bytes.size() > maxBytes) {
            ::close(fd);
            return TooLarge(path, "more than " + std::to_string(maxBytes) + " bytes");
        }
    }
    ::close(fd);
    return r;
}

TextFileResult ReadTextFile(const std::string& path, std::size_t maxBytes, UserId user) {
    TextFileResult r = ReadFileBytes(path, maxBytes, user);
    if (!r.ok()) return r;
    const std::string bytes = std::move(r.bytes);
    r.bytes.clear();
    ForEachLine(
        WithoutByteOrderMark(bytes),
        [&r](std::string_view l) {
            bool converted = false;
            r.lines.push_back(DecodeLine(l, &converted));
            if (converted) ++r.convertedLines;
        },
        [](std::string_view) {});
    return r;
}

namespace {

// Hands the producer's bytes straight to the new file; the first failure is
// kept by the file and stops the producer.
class NewFileSink final : public TextSink {
public:
    explicit NewFileSink(NewFileBeside& file) : file_(file) {}
    bool Write(std::string_view bytes) override {
        file_.Write(bytes);
        return file_.error() == 0;
    }

private:
    NewFileBeside& file_;
};

}  // namespace

TextFileResult WriteTextFileStreamed(const std::string& path,
                                     const std::function<bool(TextSink&)>& produce, UserId user) {
    const ReplaceTarget place = CheckReplace(path, user, Links::Follow);
    if (!place.refusal.empty())
        return Cannot(TextFileStatus::WriteFailed, "write", path, place.refusal);

    const std::string folder = FolderOf(place.target);
    const std::string targetName = std::filesystem::path(place.target).filename().string();
    NewFileBeside file(folder, targetName);
    // An existing file keeps its permission bits; a new one takes 0666
    // narrowed by the umask.
    if (place.exists) file.SetMode(place.mode);
    if (file.error() != 0)
        return Cannot(TextFileStatus::WriteFailed, "write", path, SystemReason(file.error()));
    NewFileSink sink(file);
    const bool complete = produce(sink);
    if (file.error() != 0)
        return Cannot(TextFileStatus::WriteFailed, "write", path, SystemReason(file.error()));
    // The unfinished file goes with `file`; the old one stays as it was.
    if (!complete)
        return Failure(TextFileStatus::Cancelled, "Writing \"" + path + "\" was cancelled.",
                       "cancelled");
    if (const int err = file.Commit(place.target); err != 0)
        return Cannot(TextFileStatus::WriteFailed, "write", path, SystemReason(err));
    RemoveStaleTempFiles(folder, targetName);
    return TextFileResult{};
}

TextFileResult WriteFileAtomic(const std::string& path, std::string_view bytes, UserId user) {
    return WriteTextFileStreamed(
        path, [bytes](TextSink& sink) { return sink.Write(bytes); }, user);
}

TextFileResult WriteTextFileAtomic(const std::string& path, const std::vector<std::string>& lines,
                                   std::string_view lineEnd, UserId user) {
    std::string body;
    std::size_t total = 0;
    for (const auto& l : lines) total += l.size() + lineEnd.size();
    body.reserve(total);
    for (const auto& l : lines) {
        body += l;
        body += lineEnd;
    }
    return WriteFileAtomic(path, body, user);
}

TextFileResult KeepBackupCopy(const std::string& path, UserId user) {
    const std::string backup = path + ".bak";
    auto fail = [&](const std::string& reason) {
        std::string message = "Cannot keep a copy of \"";
        message.append(path).append("\" as \"").append(backup).append("\": ");
        message.append(reason).append(".");
        return Failure(TextFileStatus::WriteFailed, std::move(message), reason);
    };
    // The file to keep is read under the same rules as any file of the
    // program; only a regular file can be kept (anything else in its place is
    // refused by the write that follows).
    const bool shared = InSharedFolder(path);
    struct stat own {};
    if (shared && ::lstat(path.c_str(), &own) == 0 && own.st_uid != user) {
        if (S_ISLNK(own.st_mode))
            return fail(std::string("it is a symbolic link of another user") + kSharedFolder);
        if (S_ISREG(own.st_mode))
            return fail(std::string("it belongs to another user") + kSharedFolder);
    }
    const int source = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (source < 0) {
        if (errno == ENOENT) return TextFileResult{};
        return fail(SystemReason(errno));
    }
    struct stat st {};
    if (::fstat(source, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(source);
        return TextFileResult{};
    }
    if (shared && st.st_uid != user) {
        ::close(source);
        return fail(std::string("it leads to a file of another user") + kSharedFolder);
    }

    // The copy replaces only an earlier copy of the user: never a link
    // (planted to make the copy overwrite the file it names), never a file of
    // someone else.
    ReplaceTarget place = CheckReplace(backup, user, Links::Refuse);
    if (place.refusal.empty() && place.exists) {
        struct stat old {};
        if (::lstat(backup.c_str(), &old) == 0 && old.st_uid != user)
            place.refusal = "a file of another user has that name";
    }
    if (!place.refusal.empty()) {
        ::close(source);
        return fail(place.refusal);
    }
    const std::string folder = FolderOf(backup);
    const std::string backupName = std::filesystem::path(backup).filename().string();
    NewFileBeside copy(folder, backupName);
    copy.SetMode(st.st_mode & 0666);
    std::array<char, 65536> buf{};
    while (copy.error() == 0) {
        const ssize_t got = ::read(source, buf.data(), buf.size());
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            const int err = errno;
            ::close(source);
            return fail(SystemReason(err));
        }
        if (got == 0) break;
        copy.Write(std::string_view(buf.data(), static_cast<std::size_t>(got)));
    }
    ::close(source);
    if (const int err = copy.Commit(backup); err != 0) return fail(SystemReason(err));
    RemoveStaleTempFiles(folder, backupName);
    return TextFileResult{};
}

std::string QuotedExcerpt(std::string_view text, std::size_t maxBytes) {
    const std::string_view cut = Utf8Prefix(text, maxBytes);
    return "\"" + std::string(cut) + (cut.size() < text.size() ? "...\"" : "\"");
}

bool ParseNumberInRange(std::string_view text, double min, double max, double& out) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end || !(value >= min && value <= max))
        return false;
    out = value;
    return true;
}

}  // namespace dawn
