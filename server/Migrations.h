#pragma once
// The leaderboard's schema as numbered steps. Every program that opens the
// database applies the steps it lacks first, so a new server version brings
// its tables with it and an old database is carried forward in order.

#include <pqxx/pqxx>

namespace velmora::server {

// Applies every missing step, each in its own transaction, under a lock that
// keeps programs starting side by side from applying one twice. Returns the
// version the database is at afterwards.
int applyMigrations(pqxx::connection& connection);

// The newest version this build knows.
int latestSchemaVersion();

}  // namespace velmora::server
