#include "child_process.h"

#include <QDeadlineTimer>
#include <QtGlobal>

#include <csignal>
#include <ctime>
#include <sys/wait.h>
#include <unistd.h>

std::optional<int> exitCodeOfChild(const std::function<int()>& body, int timeoutMs)
{
    const pid_t child = ::fork();
    if (child < 0) {
        qWarning("fork failed");
        return std::nullopt;
    }
    if (child == 0)
        ::_exit(body());

    int status = 0;
    const QDeadlineTimer deadline(timeoutMs);
    // Polled, since waitpid itself takes no timeout.
    while (::waitpid(child, &status, WNOHANG) == 0) {
        if (deadline.hasExpired()) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            qWarning("The child had not ended after %d ms and was killed", timeoutMs);
            return std::nullopt;
        }
        const timespec pause{0, 2'000'000};
        ::nanosleep(&pause, nullptr);
    }
    if (WIFSIGNALED(status))
        qWarning("The child died of signal %d", WTERMSIG(status));
    return WIFEXITED(status) ? std::optional(WEXITSTATUS(status)) : std::nullopt;
}
