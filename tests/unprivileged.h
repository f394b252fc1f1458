// Running a check as an unprivileged user: nobody (65534) when the tests run as
// root, else the user running them, in a child process.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace stk::test {

inline constexpr uid_t nobody = 65534;

inline bool running_as_root() { return ::geteuid() == 0; }

// Gives `file` to the user the checks run as.
inline void give_to_user(const std::filesystem::path& file)
{
    if (running_as_root()) {
        EXPECT_EQ(::lchown(file.c_str(), nobody, nobody), 0);
    }
}

enum class Outcome { passed, failed, cannot_switch };

// Runs `check` in a child process as the unprivileged user; its answer is the outcome.
// The child ends without running any destructor of the parent's objects.
inline Outcome as_user(const std::function<bool()>& check)
{
    const pid_t child = ::fork();
    if (child == 0) {
        if (running_as_root() && (::setgroups(0, nullptr) != 0 || ::setresgid(nobody, nobody, nobody) != 0 ||
                                  ::setresuid(nobody, nobody, nobody) != 0))
            ::_exit(77);
        ::_exit(check() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 77)
        return Outcome::cannot_switch;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? Outcome::passed : Outcome::failed;
}

}  // namespace stk::test

// Expects `check` (a callable answering bool) to pass as the unprivileged user;
// skips the test when the tests cannot switch to that user.
#define EXPECT_AS_USER(...)                                                                               \
    do {                                                                                                  \
        const ::stk::test::Outcome outcome = ::stk::test::as_user(__VA_ARGS__);                           \
        if (outcome == ::stk::test::Outcome::cannot_switch)                                               \
            GTEST_SKIP() << "cannot switch to the unprivileged user nobody (65534) to check permissions"; \
        EXPECT_EQ(outcome, ::stk::test::Outcome::passed);                                                 \
    } while (false)
