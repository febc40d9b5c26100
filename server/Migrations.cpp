#include "server/Migrations.h"

#include <iterator>

namespace velmora::server {

namespace {

// Never edit a step once it has shipped: add a new one.
const char* const kSteps[] = {
    // 1: players, levels, submissions and each player's best run per level.
    R"sql(
CREATE TABLE players (
    id bigserial PRIMARY KEY,
    name text NOT NULL CHECK (name ~ '^[A-Za-z0-9_.-]{3,20}$'),
    token_hash bytea NOT NULL UNIQUE,
    created_at timestamptz NOT NULL DEFAULT now()
);
CREATE UNIQUE INDEX players_name_any_case ON players (lower(name));

CREATE TABLE levels (
    id serial PRIMARY KEY,
    identity text NOT NULL UNIQUE CHECK (identity ~ '^[0-9a-f]{16}$'),
    name text NOT NULL,
    title text NOT NULL,
    longest_steps integer NOT NULL,
    position integer NOT NULL DEFAULT 0,
    listed boolean NOT NULL DEFAULT true
);

CREATE TYPE run_state AS ENUM ('queued', 'verifying', 'accepted', 'rejected');

CREATE TABLE submissions (
    id bigserial PRIMARY KEY,
    player_id bigint NOT NULL REFERENCES players,
    level_id integer NOT NULL REFERENCES levels,
    replay bytea NOT NULL CHECK (octet_length(replay) <= 524288),
    input_hash bytea NOT NULL UNIQUE,
    claimed_steps integer NOT NULL,
    sim_version integer NOT NULL,
    state run_state NOT NULL DEFAULT 'queued',
    verdict text NOT NULL DEFAULT '',
    attempts integer NOT NULL DEFAULT 0,
    lease_until timestamptz,
    submitted_at timestamptz NOT NULL DEFAULT now()
);
-- What the verifiers look through: only the runs still to check.
CREATE INDEX submissions_waiting ON submissions (id) WHERE state IN ('queued', 'verifying');
CREATE INDEX submissions_of_player ON submissions (player_id, level_id);

CREATE TABLE best_runs (
    level_id integer NOT NULL REFERENCES levels,
    player_id bigint NOT NULL REFERENCES players,
    submission_id bigint NOT NULL UNIQUE REFERENCES submissions,
    steps integer NOT NULL,
    PRIMARY KEY (level_id, player_id)
);
-- A table's order: fewer steps first, and of equal times the earlier run.
CREATE INDEX best_runs_order ON best_runs (level_id, steps, submission_id);
)sql",
};

}  // namespace

int latestSchemaVersion() { return static_cast<int>(std::size(kSteps)); }

int applyMigrations(pqxx::connection& connection) {
    {
        pqxx::work setup(connection);
        setup.exec("SELECT pg_advisory_xact_lock(7408261)");
        setup.exec(
            "CREATE TABLE IF NOT EXISTS schema_migrations ("
            " version integer PRIMARY KEY, applied_at timestamptz NOT NULL DEFAULT now())");
        setup.commit();
    }
    int version = 0;
    for (int step = 1; step <= latestSchemaVersion(); ++step) {
        pqxx::work work(connection);
        // Released at commit; the next program waits here, then finds the step done.
        work.exec("SELECT pg_advisory_xact_lock(7408261)");
        const pqxx::result done =
            work.exec("SELECT 1 FROM schema_migrations WHERE version = " + std::to_string(step));
        if (done.empty()) {
            work.exec(kSteps[step - 1]);
            work.exec("INSERT INTO schema_migrations (version) VALUES (" + std::to_string(step) + ")");
        }
        work.commit();
        version = step;
    }
    return version;
}

}  // namespace velmora::server
