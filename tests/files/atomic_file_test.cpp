// Replacing a file as a whole: the new content arrives complete or not at
// all, a failure of the disk says the system's reason, a device is written
// into rather than replaced, and a read-only folder falls back to writing in
// place. Disk failures are made with a file-size limit in a child process.
#include "files/atomic_file.h"

#include "engine/fault.h"

#include <gtest/gtest.h>

#include <pwd.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

namespace hyg {
namespace {

namespace fs = std::filesystem;

std::string Read(const fs::path& file) {
    std::stringstream s;
    s << std::ifstream(file, std::ios::binary).rdbuf();
    return s.str();
}

class AtomicFile : public testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("hygrana_atomic_" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override {
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(dir_);
    }
    std::string path(const std::string& name) const { return (dir_ / name).string(); }
    long entries() const { return std::distance(fs::directory_iterator(dir_), {}); }

    // Runs `body` in a child process and returns its exit status; the child
    // reports what it saw through the status.
    static int InChild(const std::function<int()>& body) {
        const pid_t pid = ::fork();
        if (pid == 0)
            ::_exit(body());
        int status = 0;
        ::waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : 100;
    }

    fs::path dir_;
};

TEST_F(AtomicFile, ReplacesTheWholeFileAndKeepsItsMode) {
    const std::string target = path("chart.pgl");
    std::ofstream(target) << "EARLIER";
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink("chart.pgl", path("link.pgl"));

    EXPECT_EQ(WriteFileAtomically(path("link.pgl"), "NEW\n"), FileReplacement::Renamed);
    EXPECT_EQ(Read(target), "NEW\n");
    EXPECT_TRUE(fs::is_symlink(path("link.pgl"))); // the link still names the file
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(entries(), 2); // no temporary file left
}

TEST_F(AtomicFile, AFullDiskLeavesTheEarlierFileAndSaysWhy) {
    const std::string target = path("chart.pgl");
    std::ofstream(target) << "EARLIER";
    // 1 KiB file-size limit, SIGXFSZ ignored: the write fails with EFBIG.
    const int status = InChild([&] {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1024, 1024};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        try {
            WriteFileAtomically(target, std::string(100000, 'x'));
        } catch (const IoFault& f) {
            return std::string(f.what()) == "cannot write " + target + ": File too large" && f.error() == EFBIG ? 0
                                                                                                                : 2;
        }
        return 1;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(Read(target), "EARLIER");
    EXPECT_EQ(entries(), 1);

    // A device is written into, not replaced by a plain file.
    try {
        WriteFileAtomically("/dev/full", "x");
        ADD_FAILURE() << "writing /dev/full succeeded";
    } catch (const IoFault& f) {
        EXPECT_STREQ(f.what(), "cannot write /dev/full: No space left on device");
    }
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
    EXPECT_THROW(WriteFileAtomically(path("missing/x.pgl"), "x"), IoFault);
}

TEST_F(AtomicFile, AReadOnlyFolderFallsBackToTheWritableFile) {
    // Root writes into any folder: the check runs as an ordinary user then.
    const passwd* nobody = ::getpwnam("nobody");
    if (::geteuid() == 0 && nobody == nullptr)
        GTEST_SKIP() << "no unprivileged user to run as";
    const std::string target = path("corvane.dat");
    std::ofstream(target) << "EARLIER";
    if (::geteuid() == 0) {
        ::chown(dir_.c_str(), nobody->pw_uid, nobody->pw_gid);
        ::chown(target.c_str(), nobody->pw_uid, nobody->pw_gid);
    }
    fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_exec);
    const int status = InChild([&] {
        if (::geteuid() == 0 && (::setgid(nobody->pw_gid) != 0 || ::setuid(nobody->pw_uid) != 0))
            return 3;
        try {
            if (WriteFileAtomically(target, "NEW") != FileReplacement::InPlace)
                return 1;
            WriteFileAtomically(path("new.dat"), "NEW"); // nothing to overwrite: refused
            return 1;
        } catch (const IoFault& f) {
            return f.error() == EACCES ? 0 : 2;
        }
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(Read(target), "NEW");
    EXPECT_EQ(entries(), 1);
}

} // namespace
} // namespace hyg
