#include "core/textfile.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
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

}  // namespace

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

std::string DecodeText(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    if (IsValidUtf8(bytes)) return std::string(bytes);
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

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n; ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') continue;
        lines.emplace_back(text.substr(start, i - start));
        if (c == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < n) lines.emplace_back(text.substr(start));
    return lines;
}

TextFileResult ReadTextFile(const std::string& path, std::size_t maxBytes) {
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
        if (static_cast<std::uintmax_t>(st.st_size) > maxBytes) {
            return refuse(TooLarge(
                path, std::to_string(st.st_size) + " bytes; at most " + std::to_string(maxBytes)));
        }
    }
    // A file that grows while it is read is held to the same limit.
    std::string bytes;
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
        bytes.append(buf.data(), static_cast<std::size_t>(got));
        if (bytes.size() > maxBytes) {
            ::close(fd);
            return TooLarge(path, "more than " + std::to_string(maxBytes) + " bytes");
        }
    }
    ::close(fd);
    TextFileResult r;
    r.lines = SplitLines(DecodeText(bytes));
    return r;
}

TextFileResult WriteTextFileAtomic(const std::string& path, const std::vector<std::string>& lines,
                                   std::string_view lineEnd) {
    namespace fs = std::filesystem;
    auto fail = [&](int err) {
        return Cannot(TextFileStatus::WriteFailed, "write", path, SystemReason(err));
    };

    // Write through a symbolic link to the file it names, so the link stays.
    fs::path target(path);
    std::error_code ec;
    if (fs::is_symlink(fs::symlink_status(target, ec))) {
        const fs::path resolved = fs::weakly_canonical(target, ec);
        if (!ec) target = resolved;
    }

    mode_t mode = 0666;  // narrowed by the umask when the file is new
    bool keepMode = false;
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return fail(EISDIR);
        mode = st.st_mode & 07777;
        keepMode = true;
    }

    std::string body;
    std::size_t total = 0;
    for (const auto& l : lines) total += l.size() + lineEnd.size();
    body.reserve(total);
    for (const auto& l : lines) {
        body += l;
        body += lineEnd;
    }

    const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::string tempName;
    int fd = -1;
    const std::string targetName = target.filename().string();
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        tempName = (dir / TempFileName(targetName, g_tempCounter.fetch_add(1))).string();
        fd = ::open(tempName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) return fail(errno);
    }
    if (fd < 0) return fail(EEXIST);
    // Held until the file is closed: the file is in use, not left over.
    ::flock(fd, LOCK_EX | LOCK_NB);

    auto abandon = [&](int err) {
        ::close(fd);
        ::unlink(tempName.c_str());
        return fail(err);
    };
    if (keepMode && ::fchmod(fd, mode) != 0) return abandon(errno);
    std::size_t done = 0;
    while (done < body.size()) {
        const ssize_t put = ::write(fd, body.data() + done, body.size() - done);
        if (put < 0) {
            if (errno == EINTR) continue;
            return abandon(errno);
        }
        done += static_cast<std::size_t>(put);
    }
    if (::fsync(fd) != 0) return abandon(errno);
    if (!CloseChecked(fd)) {
        const int err = errno;
        ::unlink(tempName.c_str());
        return fail(err);
    }
    if (::rename(tempName.c_str(), target.c_str()) != 0) {
        const int err = errno;
        ::unlink(tempName.c_str());
        return fail(err);
    }
    // Make the rename itself durable.
    const int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    RemoveStaleTempFiles(dir, targetName);
    return TextFileResult{};
}

}  // namespace dawn
