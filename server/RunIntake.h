#pragma once
// What the front checks of a submitted replay before it queues it: that it
// reads as a replay, that its level is one of this server's, that it is no
// longer than the level allows (from the header, before inflating anything)
// and that every step's input is one the game's controls can give. None of
// it steps the simulation; the verifiers do that.

#include <string>

#include "server/LevelCatalog.h"

namespace velmora::server {

struct RunIntake {
    int status = 0;     // 0: fit to queue; else the HTTP status refusing it
    std::string error;  // the line sent back with a refusal
    const CatalogLevel* level = nullptr;
    long steps = 0;
    // The run's input alone, in a fixed form: two files of the same run
    // (whatever their checkpoints or compression) give the same bytes, which
    // the database hashes to tell whose run it is.
    std::string inputKey;
};

RunIntake takeInRun(const std::string& replayBytes, const LevelCatalog& catalog);

}  // namespace velmora::server
