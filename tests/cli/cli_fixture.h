// A private folder per test and a way to run hygrana-cli in it through the
// shell, as a script would, keeping its status, standard output and error.
#pragma once

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace hyg {

struct CliResult {
    int status = -1;
    std::string out, err;
};

inline std::string ReadFile(const std::filesystem::path& file) {
    std::stringstream s;
    s << std::ifstream(file, std::ios::binary).rdbuf();
    return s.str();
}

class CliFixture : public testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("hygrana_cli_" + std::to_string(::getpid()) + "_" +
                testing::UnitTest::GetInstance()->current_test_info()->test_suite_name() + "_" +
                testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::string path(const std::string& name) const { return (dir_ / name).string(); }
    std::string quoted(const std::string& name) const { return "'" + path(name) + "'"; }

    // Runs `shell` (a command line where "CLI" stands for the program) in the
    // test folder; standard output and error go to files unless redirected.
    CliResult sh(std::string shell, const std::string& input = "") const {
        for (std::size_t at = shell.find("CLI"); at != std::string::npos; at = shell.find("CLI", at + 1))
            shell.replace(at, 3, std::string("'") + HYGRANA_CLI + "'");
        std::ofstream(path("stdin.txt"), std::ios::binary) << input;
        const std::string command =
            "cd '" + dir_.string() + "' && { " + shell + " ; } < stdin.txt > stdout.txt 2> stderr.txt";
        const int raw = std::system(command.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadFile(path("stdout.txt")), ReadFile(path("stderr.txt"))};
    }
    CliResult run(const std::string& args, const std::string& input = "") const { return sh("CLI " + args, input); }

    // A build without Qt has no pictures to make.
    bool withoutQt() const { return run("render " + quoted("probe.png")).err.find("needs the Qt build") != std::string::npos; }

    std::filesystem::path dir_;
};

} // namespace hyg
