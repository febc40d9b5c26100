#pragma once
// The front's SQL, prepared once on each connection it opens.

#include <pqxx/pqxx>

namespace velmora::server {

void prepareStoreStatements(pqxx::connection& connection);

}  // namespace velmora::server
