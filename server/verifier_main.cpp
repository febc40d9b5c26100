// A verifier worker: takes runs from the database's queue, plays each again
// on its level and records the verdict, until SIGINT or SIGTERM. Runs
// checked under older rules are queued again first. Any number of them may
// share one database, on any number of machines.
//   leaderboard_verifier [--database CONNINFO] [--levels FILE] [--lease-seconds N]
//                        [--memory-mb N] [--once]
// The work runs in a child process under the memory and processor-time
// limits; a child that a run kills is replaced. --once works through the
// queue in this process and exits when it is empty.

#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <iostream>
#include <string>

#include "server/JobLimits.h"
#include "server/JobQueue.h"
#include "server/LevelCatalog.h"
#include "server/Migrations.h"
#include "server/RunVerifier.h"
#include "server/VerifierWorker.h"
#include "sim/SimulationVersion.h"

using namespace velmora::server;

namespace {

struct Options {
    std::string database;
    std::string levels = velmora::kLevelSetFile;
    int leaseSeconds = 30;
    long memoryMegabytes = 2048;
    bool once = false;
};

volatile std::sig_atomic_t stopping = 0;
pid_t child = 0;

void onStop(int) {
    stopping = 1;
    if (child > 0) kill(child, SIGTERM);
}

[[noreturn]] void usage(const std::string& problem) {
    std::cerr << "leaderboard_verifier: " << problem
              << "\nusage: leaderboard_verifier [--database CONNINFO] [--levels FILE] [--lease-seconds N]"
                 " [--memory-mb N] [--once]"
              << std::endl;
    std::exit(2);
}

Options parse(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--once") {
            options.once = true;
            continue;
        }
        if (i + 1 >= argc) usage(option + " needs a value");
        const std::string value = argv[++i];
        try {
            if (option == "--database") {
                options.database = value;
            } else if (option == "--levels") {
                options.levels = value;
            } else if (option == "--lease-seconds") {
                options.leaseSeconds = std::stoi(value);
            } else if (option == "--memory-mb") {
                options.memoryMegabytes = std::stol(value);
            } else {
                usage("unknown option " + option);
            }
        } catch (const std::logic_error&) {
            usage(option + " takes a number, not \"" + value + "\"");
        }
    }
    return options;
}

int work(const Options& options) {
#if !defined(__SANITIZE_ADDRESS__)
    limitMemory(options.memoryMegabytes);
#endif
    const LevelCatalog catalog = LevelCatalog::load(options.levels);
    RunVerifier verifier(catalog);
    JobQueue queue(options.database, options.leaseSeconds);
    const long requeued = queue.requeueOlderThan(velmora::kSimulationVersion);
    if (requeued > 0) std::cout << "leaderboard_verifier: checking " << requeued << " runs again" << std::endl;
    VerifierWorker worker(queue, verifier, !options.once);
    while (!stopping) {
        if (!worker.verifyNext()) {
            if (options.once) break;
            queue.waitForWork(1000);
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const Options options = parse(argc, argv);
    std::signal(SIGINT, onStop);
    std::signal(SIGTERM, onStop);
    try {
        pqxx::connection connection(options.database);
        applyMigrations(connection);
    } catch (const std::exception& failure) {
        std::cerr << "leaderboard_verifier: " << failure.what() << std::endl;
        return 1;
    }
    if (options.once) {
        try {
            return work(options);
        } catch (const std::exception& failure) {
            std::cerr << "leaderboard_verifier: " << failure.what() << std::endl;
            return 1;
        }
    }
    while (!stopping) {
        child = fork();
        if (child == 0) {
            std::signal(SIGINT, SIG_DFL);
            std::signal(SIGTERM, [](int) { stopping = 1; });
            try {
                _exit(work(options));
            } catch (const std::exception& failure) {
                std::cerr << "leaderboard_verifier: " << failure.what() << std::endl;
                _exit(1);
            }
        }
        int status = 0;
        while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
        }
        child = 0;
        if (stopping) break;
        if (WIFSIGNALED(status)) {
            std::cerr << "leaderboard_verifier: a worker ended by signal " << WTERMSIG(status) << "; starting another"
                      << std::endl;
        } else {
            std::cerr << "leaderboard_verifier: a worker stopped (status " << WEXITSTATUS(status)
                      << "); starting another in a second" << std::endl;
            sleep(1);
        }
    }
    return 0;
}
