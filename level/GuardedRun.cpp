#include "level/GuardedRun.h"

#include <algorithm>
#include <chrono>
#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstring>

#if defined(__unix__)
#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#define VELMORA_CAN_FORK 1
#else
#define VELMORA_CAN_FORK 0
#endif

#if defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(memory_sanitizer) || \
    __has_feature(thread_sanitizer)
#define VELMORA_SANITIZED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define VELMORA_SANITIZED 1
#endif
#ifndef VELMORA_SANITIZED
#define VELMORA_SANITIZED 0
#endif

#if VELMORA_SANITIZED
// The sanitizers' runtime calls this when it reports an error; a fuzzer's
// runtime sets it to save the input as a crash. A child that fails is
// answered by its parent, so it must not save anything of its own.
extern "C" void __sanitizer_set_death_callback(void (*callback)(void));
#endif

namespace velmora {

bool builtWithSanitizers() { return VELMORA_SANITIZED != 0; }

#if VELMORA_CAN_FORK

namespace {

constexpr std::size_t kMessageLimit = 4096;
// A reader that uses no processor time (it waits) is ended after this many
// times its time limit on the wall clock.
constexpr double kWallClockAllowance = 10.0;

// Pages of the process's address space and of its resident memory, from
// /proc/<pid>/statm; false when the file can't be read.
bool readStatm(pid_t pid, unsigned long long& sizePages, unsigned long long& residentPages) {
    char path[64];
    std::snprintf(path, sizeof path, "/proc/%d/statm", static_cast<int>(pid));
    const int fd = open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    char text[256];
    const ssize_t got = read(fd, text, sizeof text - 1);
    close(fd);
    if (got <= 0) return false;
    text[got] = '\0';
    return std::sscanf(text, "%llu %llu", &sizePages, &residentPages) == 2;
}

// The processor time a process has used so far (user and system), from
// /proc; negative when it can't be read.
double cpuSeconds(pid_t pid) {
    char path[64];
    std::snprintf(path, sizeof path, "/proc/%d/stat", static_cast<int>(pid));
    const int fd = open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return -1.0;
    char text[1024];
    const ssize_t got = read(fd, text, sizeof text - 1);
    close(fd);
    if (got <= 0) return -1.0;
    text[got] = '\0';
    // The command name in parentheses may hold blanks; the fields follow it.
    const char* fields = std::strrchr(text, ')');
    unsigned long long user = 0, system = 0;
    if (fields == nullptr ||
        std::sscanf(fields + 1, " %*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu", &user,
                    &system) != 2) {
        return -1.0;
    }
    return static_cast<double>(user + system) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

const char* signalName(int signal) {
    if (signal == SIGXCPU) return "a processor time limit";
    switch (signal) {
        case SIGSEGV: return "a segmentation fault";
        case SIGBUS: return "a bus error";
        case SIGABRT: return "an abort (a failed assertion)";
        case SIGFPE: return "an arithmetic fault";
        case SIGILL: return "an illegal instruction";
        case SIGKILL: return "being killed";
        case SIGXCPU: return "running out of processor time";
        default: return "a signal";
    }
}

[[noreturn]] void runChild(const std::function<bool(std::string&)>& work,
                           const GuardLimits& limits, int messageFd) {
    // Default handling of every crash, so no handler of this process (a
    // fuzzer's, a sanitizer's) reports or saves anything from here.
    for (int signal : {SIGSEGV, SIGBUS, SIGABRT, SIGFPE, SIGILL, SIGXCPU}) {
        std::signal(signal, SIG_DFL);
    }
#if VELMORA_SANITIZED
    __sanitizer_set_death_callback(nullptr);
#endif
    const int devNull = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (devNull >= 0) {
        dup2(devNull, STDOUT_FILENO);
        dup2(devNull, STDERR_FILENO);
    }
    rlimit none{0, 0};
    setrlimit(RLIMIT_CORE, &none);
    // The address space may grow by the memory limit from what the copy of
    // this process already holds (with a sanitizer, that includes its shadow
    // reservations, so only new mappings count, which is what a huge
    // allocation needs). The parent watches the resident memory as well.
    unsigned long long sizePages = 0, residentPages = 0;
    if (readStatm(getpid(), sizePages, residentPages)) {
        const unsigned long long page = static_cast<unsigned long long>(sysconf(_SC_PAGESIZE));
        rlimit space{};
        space.rlim_cur = space.rlim_max = sizePages * page + limits.memoryBytes;
        setrlimit(RLIMIT_AS, &space);
    }
    rlimit cpu{};
    cpu.rlim_cur = static_cast<rlim_t>(std::ceil(limits.seconds)) + 1;
    cpu.rlim_max = cpu.rlim_cur + 1;
    setrlimit(RLIMIT_CPU, &cpu);

    std::string message;
    bool succeeded = false;
    try {
        succeeded = work(message);
    } catch (const std::exception& error) {
        message = std::string("failed: ") + error.what();
    } catch (...) {
        message = "failed with an unknown exception";
    }
    if (message.size() > kMessageLimit) message.resize(kMessageLimit);
    std::size_t written = 0;
    while (written < message.size()) {
        const ssize_t now = write(messageFd, message.data() + written, message.size() - written);
        if (now <= 0) break;
        written += static_cast<std::size_t>(now);
    }
    _exit(succeeded ? 0 : 3);
}

}  // namespace

GuardResult runGuarded(const std::function<bool(std::string&)>& work, const GuardLimits& limits) {
    GuardResult result;
    int channel[2];
    if (pipe2(channel, O_CLOEXEC) != 0) return result;
    std::fflush(nullptr);  // nothing buffered is written twice
    const pid_t child = fork();
    if (child < 0) {
        close(channel[0]);
        close(channel[1]);
        return result;
    }
    if (child == 0) {
        close(channel[0]);
        runChild(work, limits, channel[1]);
    }
    close(channel[1]);
    fcntl(channel[0], F_SETFL, O_NONBLOCK);

    const unsigned long long page = static_cast<unsigned long long>(sysconf(_SC_PAGESIZE));
    const unsigned long long startPages = [&] {
        unsigned long long size = 0, resident = 0;
        return readStatm(getpid(), size, resident) ? resident : 0ULL;
    }();
    const auto started = std::chrono::steady_clock::now();
    std::string message;
    std::string refusal;
    int status = 0;
    bool closed = false;  // the child's end of the channel: closed when it ends
    const auto drain = [&] {
        char buffer[1024];
        for (;;) {
            const ssize_t got = read(channel[0], buffer, sizeof buffer);
            if (got == 0) closed = true;
            if (got <= 0) break;
            if (message.size() < kMessageLimit) message.append(buffer, static_cast<std::size_t>(got));
        }
    };
    for (;;) {
        const pid_t done = waitpid(child, &status, closed ? 0 : WNOHANG);
        if (done == child) break;
        if (done < 0 && errno == EINTR) continue;
        if (done < 0) {
            refusal = "its reader process was lost";
            kill(child, SIGKILL);
            break;
        }
        if (closed) continue;
        unsigned long long size = 0, resident = 0;
        if (refusal.empty() && readStatm(child, size, resident) &&
            resident > startPages && (resident - startPages) * page > limits.memoryBytes) {
            refusal = "reading it needs more than " +
                      std::to_string(limits.memoryBytes >> 20) + " MB of memory";
            kill(child, SIGKILL);
        }
        // The work's own processor time is what counts: on a busy machine a
        // sound file's reader may wait its turn for a while. The wall clock
        // only ends a reader that waits on something for ever.
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
        const double used = cpuSeconds(child);
        if (refusal.empty() &&
            (used > limits.seconds || took.count() > limits.seconds * kWallClockAllowance)) {
            char seconds[32];
            std::snprintf(seconds, sizeof seconds, "%.1f", limits.seconds);
            refusal = std::string("reading it takes longer than ") + seconds + " s";
            kill(child, SIGKILL);
        }
        // Woken at once when the child ends (its end of the channel closes),
        // else every few milliseconds to look at its memory and the clock.
        pollfd channelEnd{channel[0], POLLIN, 0};
        poll(&channelEnd, 1, 4);
        drain();
    }
    drain();
    close(channel[0]);

    if (!refusal.empty()) {
        result.outcome = GuardOutcome::Refused;
        result.message = refusal;
    } else if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
        result.outcome = GuardOutcome::Succeeded;
        result.message = message;
    } else if (WIFEXITED(status) && WEXITSTATUS(status) == 3) {
        result.outcome = GuardOutcome::Failed;
        result.message = message;
    } else if (WIFSIGNALED(status)) {
        result.outcome = GuardOutcome::Refused;
        result.message = std::string("its reader stopped with ") + signalName(WTERMSIG(status));
    } else {
        // A sanitizer's report (an allocation beyond the limit, say) ends
        // the child with a plain failure status.
        result.outcome = GuardOutcome::Refused;
        result.message = "its reader failed (exit status " +
                         std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : -1) +
                         ", out of memory or a broken structure)";
    }
    return result;
}

#else

GuardResult runGuarded(const std::function<bool(std::string&)>&, const GuardLimits&) {
    return GuardResult{};
}

#endif

}  // namespace velmora
