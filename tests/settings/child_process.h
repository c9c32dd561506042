#pragma once

#include <sys/wait.h>
#include <unistd.h>

namespace tessaloom::testing {

// Runs body in a child process, which exits with what body returns.
pid_t inChild(const auto& body)
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(body());
    return child;
}

// The child's exit code; -1 when it did not exit by itself.
inline int exitCodeOf(pid_t child)
{
    int status = 0;
    return ::waitpid(child, &status, 0) == child && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace tessaloom::testing
