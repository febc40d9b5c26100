// The leaderboard's HTTP front: applies the schema's missing steps, lists the
// level set's levels, and serves the API until SIGINT or SIGTERM. It never
// plays a run; the verifiers (leaderboard_verifier) do.
//   leaderboard [--listen ADDR] [--port N] [--database CONNINFO] [--threads N]
//               [--deadline-ms N] [--levels FILE] [--requests-per-second N]
//               [--runs-per-minute N] [--players-per-hour N]
// CONNINFO is libpq's ("host=/run/x dbname=y"); empty takes the PG* variables.

#include <csignal>
#include <iostream>
#include <string>

#include "server/Api.h"
#include "server/HttpFront.h"
#include "server/LevelCatalog.h"
#include "server/Migrations.h"

using namespace velmora::server;

namespace {

[[noreturn]] void usage(const std::string& problem) {
    std::cerr << "leaderboard: " << problem
              << "\nusage: leaderboard [--listen ADDR] [--port N] [--database CONNINFO] [--threads N]"
                 " [--deadline-ms N] [--levels FILE] [--requests-per-second N] [--runs-per-minute N]"
                 " [--players-per-hour N]"
              << std::endl;
    std::exit(2);
}

double number(const std::string& text, const std::string& option) {
    try {
        std::size_t used = 0;
        const double value = std::stod(text, &used);
        if (used == text.size() && value >= 0) return value;
    } catch (const std::exception&) {
    }
    usage(option + " takes a number, not \"" + text + "\"");
}

}  // namespace

int main(int argc, char** argv) {
    FrontOptions options;
    ApiLimits limits;
    std::string database;
    std::string levels = velmora::kLevelSetFile;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--help") usage("the options");
        if (i + 1 >= argc) usage(option + " needs a value");
        const std::string value = argv[++i];
        if (option == "--listen") {
            options.listen = value;
        } else if (option == "--port") {
            options.port = static_cast<unsigned short>(number(value, option));
        } else if (option == "--database") {
            database = value;
        } else if (option == "--threads") {
            options.threads = static_cast<int>(number(value, option));
        } else if (option == "--deadline-ms") {
            options.deadline = std::chrono::milliseconds(static_cast<long>(number(value, option)));
        } else if (option == "--levels") {
            levels = value;
        } else if (option == "--requests-per-second") {
            limits.perAddress = {number(value, option), 3 * number(value, option)};
        } else if (option == "--runs-per-minute") {
            limits.runsPerToken = {number(value, option) / 60.0, std::max(1.0, number(value, option))};
        } else if (option == "--players-per-hour") {
            limits.playersPerAddress = {number(value, option) / 3600.0, std::max(1.0, number(value, option))};
        } else {
            usage("unknown option " + option);
        }
    }
    // Taken by sigwait below, not by a handler, in every thread started after.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    try {
        const LevelCatalog catalog = LevelCatalog::load(levels);
        {
            pqxx::connection connection(database);
            applyMigrations(connection);
            catalog.publish(connection);
        }
        Api api(catalog, limits);
        HttpFront front(options, api, database);
        front.start();
        std::cout << "leaderboard: serving http://" << options.listen << ":" << front.port() << "/v1" << std::endl;
        int signal = 0;
        sigwait(&stopSignals, &signal);
        std::cout << "leaderboard: stopping" << std::endl;
        front.stop();
    } catch (const std::exception& failure) {
        std::cerr << "leaderboard: " << failure.what() << std::endl;
        return 1;
    }
    return 0;
}
