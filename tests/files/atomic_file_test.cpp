// Replacing a file as a whole: through a link, keeping the file's mode and
// leaving no temporary file; a device is written into rather than replaced;
// a read-only folder falls back to writing in place. (A disk that fails half
// way is the command-line fault tests' part: they run under a size limit.)
#include "files/atomic_file.h"

#include "engine/fault.h"

#include <gtest/gtest.h>

#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace hyg {
namespace {

namespace fs = std::filesystem;

TEST(AtomicFile, LinkModeDeviceAndAReadOnlyFolder) {
    const fs::path dir = fs::temp_directory_path() / ("hygrana_atomic_" + std::to_string(::getpid()));
    const std::string target = (dir / "chart.pgl").string();
    fs::remove_all(dir);
    fs::create_directories(dir);
    // The target's content and how many files the folder holds.
    auto after = [&] {
        std::stringstream s;
        s << std::ifstream(target, std::ios::binary).rdbuf();
        return std::make_pair(s.str(), std::distance(fs::directory_iterator(dir), {}));
    };
    std::ofstream(target) << "EARLIER";
    const auto mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(target, mode);
    fs::create_symlink("chart.pgl", dir / "link.pgl");
    EXPECT_EQ(WriteFileAtomically((dir / "link.pgl").string(), "NEW\n"), FileReplacement::Renamed);
    EXPECT_EQ(after(), std::make_pair(std::string("NEW\n"), 2L)); // no temporary file left
    EXPECT_TRUE(fs::is_symlink(dir / "link.pgl"));                // the link still names the file
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all, mode);
    EXPECT_THROW(WriteFileAtomically("/dev/full", "x"), IoFault);
    EXPECT_TRUE(fs::is_character_file("/dev/full"));

    // Root writes into any folder: the read-only one is tried as an ordinary
    // user then, in a child process that reports through its exit status.
    const passwd* nobody = ::getpwnam("nobody");
    const bool root = ::geteuid() == 0;
    if (root && (!nobody || ::chown(dir.c_str(), nobody->pw_uid, nobody->pw_gid) != 0 ||
                 ::chown(target.c_str(), nobody->pw_uid, nobody->pw_gid) != 0)) {
        fs::remove_all(dir);
        GTEST_SKIP() << "no unprivileged user to run as";
    }
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_exec);
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (root && (::setgid(nobody->pw_gid) != 0 || ::setuid(nobody->pw_uid) != 0))
            ::_exit(3);
        try {
            if (WriteFileAtomically(target, "NEW") != FileReplacement::InPlace)
                ::_exit(1);
            WriteFileAtomically((dir / "new.pgl").string(), "NEW"); // nothing to overwrite: refused
            ::_exit(1);
        } catch (const IoFault& f) {
            ::_exit(f.error() == EACCES ? 0 : 2);
        }
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(after(), std::make_pair(std::string("NEW"), 2L));
    fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(dir);
}

} // namespace
} // namespace hyg
