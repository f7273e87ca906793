// Runs one test case in a child process, in a fresh temporary working directory that is removed afterwards:
// for operations whose module state lives for the whole process and whose files are named relative to the
// working directory. Failures inside the child are reported there and fail the case here.
#pragma once
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

template <class F> void NT_IM_KIND(F fn) {
    std::fflush(nullptr);
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        char t[] = "/tmp/nt_kind_XXXXXX";
        if (mkdtemp(t) == nullptr || chdir(t) != 0) _exit(3);
        fn();
        std::string c = std::string("rm -rf ") + t;
        if (std::system(c.c_str()) != 0) _exit(4);
        std::fflush(nullptr);
        _exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    int st = 0;
    waitpid(pid, &st, 0);
    EXPECT_TRUE(WIFEXITED(st) && WEXITSTATUS(st) == 0) << "case failed in the child, see above";
}

// Whole content of a file, bytes as they are; empty when it cannot be read.
inline std::string NT_DATEI(const char *cName) {
    std::ifstream f(cName, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

inline bool NT_GIBT_ES(const char *cName) {
    return access(cName, F_OK) == 0;
}
