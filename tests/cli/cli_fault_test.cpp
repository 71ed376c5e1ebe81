// hygrana-cli under the conditions that betray a careless tool: a full disk,
// a closed or full standard output, endless or hostile input, states outside
// the solver's ranges and a display that cannot start. Each case runs the
// real program through the shell, as a script would.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace hyg {
namespace {

namespace fs = std::filesystem;

struct Result {
    int status = -1;
    std::string out, err;
};

std::string Read(const fs::path& file) {
    std::stringstream s;
    s << std::ifstream(file, std::ios::binary).rdbuf();
    return s.str();
}

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

class CliFaults : public testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("hygrana_cli_faults_" + std::to_string(::getpid()) + "_" +
                                            testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string path(const std::string& name) const { return (dir_ / name).string(); }
    std::string quoted(const std::string& name) const { return "'" + path(name) + "'"; }

    // Runs `shell` (a command line where "CLI" stands for the program) in the
    // test folder; standard output and error go to files unless redirected.
    Result sh(std::string shell, const std::string& input = "") const {
        for (std::size_t at = shell.find("CLI"); at != std::string::npos; at = shell.find("CLI", at + 1))
            shell.replace(at, 3, std::string("'") + HYGRANA_CLI + "'");
        std::ofstream(path("stdin.txt"), std::ios::binary) << input;
        const std::string command = "cd '" + dir_.string() + "' && { " + shell + " ; } < stdin.txt > stdout.txt" +
                                    " 2> stderr.txt";
        const int raw = std::system(command.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Read(path("stdout.txt")), Read(path("stderr.txt"))};
    }

    fs::path dir_;
};

// A write that fails half-way (a 4 KiB file-size limit stands for a full
// disk) leaves the earlier file of that name as it was.
TEST_F(CliFaults, AFailedWriteKeepsTheEarlierFile) {
    std::ofstream(path("k.pgl")) << "EARLIER\n";
    const Result r = sh("ulimit -f 4; trap '' XFSZ; CLI plot k.pgl");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(Read(path("k.pgl")), "EARLIER\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 4); // k.pgl and the three std files
}

// The system's reason, said once.
TEST_F(CliFaults, AFailedWriteSaysTheSystemsReasonOnce) {
    const Result plot = sh("ulimit -f 4; trap '' XFSZ; CLI plot k.pgl");
    EXPECT_EQ(plot.err, "hygrana-cli plot: cannot write k.pgl: File too large; no plot file written\n");
    const Result render = sh("ulimit -f 4; trap '' XFSZ; CLI render --width 1000 k.png");
    if (render.err.find("needs the Qt build") != std::string::npos)
        return;
    EXPECT_EQ(render.status, 2);
    EXPECT_EQ(Count(render.err, "cannot write"), 1u) << render.err;
    EXPECT_NE(render.err.find("cannot write k.png: File too large"), std::string::npos) << render.err;
}

} // namespace
} // namespace hyg
