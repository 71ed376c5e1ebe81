#include "files/atomic_file.h"

#include "engine/fault.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>

namespace hyg {

namespace {

// Attempts at a free temporary name before giving up (each name holds the
// process id and a counter, so a clash means another writer or a leftover).
constexpr int kNameAttempts = 100;

std::atomic<unsigned> tempCounter{0};

// Closes a descriptor on every path out of a scope.
class Descriptor {
public:
    explicit Descriptor(int fd)
        : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    // Closes now; returns the errno of a failed close, 0 when it succeeded.
    int close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0 ? 0 : errno;
    }

private:
    int fd_;
};

// Writes every byte; returns 0 or the errno of the failure.
int WriteAll(int fd, std::string_view content) {
    const char* p = content.data();
    std::size_t left = content.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (n == 0)
            return EIO;
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return 0;
}

// The file a path names after following symbolic links; the path itself when
// it does not exist yet (or is a dangling link, which is then replaced).
std::string Resolved(const std::string& path) {
    struct stat link {};
    if (::lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode))
        return path;
    char* real = ::realpath(path.c_str(), nullptr);
    if (real == nullptr)
        return path;
    std::string out(real);
    std::free(real);
    return out;
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

std::string BaseOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

[[noreturn]] void Fail(const std::string& path, int errnum) {
    throw IoFault("cannot write " + path, errnum);
}

// Straight into an existing file or device: truncate (a no-op on devices),
// write, flush to the disk where that means anything.
void WriteInto(const std::string& path, const std::string& target, std::string_view content, bool regular) {
    Descriptor fd(::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC));
    if (fd.get() < 0)
        Fail(path, errno);
    if (const int e = WriteAll(fd.get(), content))
        Fail(path, e);
    if (regular && ::fsync(fd.get()) != 0)
        Fail(path, errno);
    if (const int e = fd.close())
        Fail(path, e);
}

// Makes the new name survive a crash; a folder that cannot be flushed (some
// file systems refuse) is no reason to report a failure after the rename.
void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// A new temporary file beside `target`, named after it with the process id
// and a counter. When none can be made, fd is -1 and error holds the errno of
// the last attempt.
struct TempFile {
    std::string name;
    int fd = -1;
    int error = 0;
};

TempFile CreateTempBeside(const std::string& target) {
    const std::string stem = FolderOf(target) + "/." + BaseOf(target) + "." + std::to_string(::getpid()) + ".";
    TempFile temp;
    for (int attempt = 0; attempt < kNameAttempts && temp.fd < 0; ++attempt) {
        temp.name = stem + std::to_string(tempCounter++) + ".tmp";
        temp.fd = ::open(temp.name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (temp.fd < 0 && errno != EEXIST)
            break;
    }
    if (temp.fd < 0)
        temp.error = errno;
    return temp;
}

// Gives the temporary file what the user set on the existing file (when there
// is one), writes the content, flushes it to the disk and renames it over
// target. On any failure the temporary file is removed.
void ReplaceWithTemp(const std::string& path, const std::string& target, const TempFile& temp,
                     const struct stat* existing, std::string_view content) {
    Descriptor file(temp.fd);
    const auto failAndRemove = [&](int e) {
        file.close();
        ::unlink(temp.name.c_str());
        Fail(path, e);
    };
    if (existing) {
        // Keep what the user set on the file; the owner only root may keep.
        if (::fchmod(file.get(), existing->st_mode & 07777) != 0)
            failAndRemove(errno);
        if (::fchown(file.get(), existing->st_uid, existing->st_gid) != 0) {
            // Not ours to give away: the file becomes the writer's, as any
            // new file would.
        }
    }
    if (const int e = WriteAll(file.get(), content))
        failAndRemove(e);
    if (::fsync(file.get()) != 0)
        failAndRemove(errno);
    if (const int e = file.close()) {
        ::unlink(temp.name.c_str());
        Fail(path, e);
    }
    if (::rename(temp.name.c_str(), target.c_str()) != 0) {
        const int e = errno;
        ::unlink(temp.name.c_str());
        Fail(path, e);
    }
}

} // namespace

FileReplacement WriteFileAtomically(const std::string& path, std::string_view content) {
    if (path.empty())
        throw IoFault("cannot write a file without a name");
    const std::string target = Resolved(path);

    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode))
        Fail(path, EISDIR);
    if (exists && !S_ISREG(existing.st_mode)) {
        // Renaming over a device node would replace the device itself.
        WriteInto(path, target, content, false);
        return FileReplacement::NotAFile;
    }

    const TempFile temp = CreateTempBeside(target);
    if (temp.fd < 0) {
        const int e = temp.error;
        // A read-only folder holding a writable file: the content is already
        // complete in memory, so overwriting in place is the best left.
        if ((e == EACCES || e == EPERM || e == EROFS) && exists && ::access(target.c_str(), W_OK) == 0) {
            WriteInto(path, target, content, true);
            return FileReplacement::InPlace;
        }
        Fail(path, e);
    }
    ReplaceWithTemp(path, target, temp, exists ? &existing : nullptr, content);
    SyncFolder(FolderOf(target));
    return FileReplacement::Renamed;
}

} // namespace hyg
