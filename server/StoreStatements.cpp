#include "server/StoreStatements.h"

namespace velmora::server {

namespace {

// A table's order is (steps, submission_id): fewer steps first, and of two
// equal times the earlier run. Ranks are counted from it on every read,
// never stored, so a new entry can never leave a stale rank behind.
#define PLACES_BEFORE(row) \
    "(SELECT count(*) FROM best_runs o WHERE o.level_id = " row ".level_id" \
    " AND (o.steps, o.submission_id) < (" row ".steps, " row ".submission_id))"

}  // namespace

void prepareStoreStatements(pqxx::connection& c) {
    c.prepare("player_create",
              "INSERT INTO players (name, token_hash) VALUES ($1, sha256(convert_to($2, 'UTF8')))"
              " ON CONFLICT DO NOTHING RETURNING id");
    c.prepare("player_by_token", "SELECT id FROM players WHERE token_hash = sha256(convert_to($1, 'UTF8'))");
    c.prepare("run_submit",
              "INSERT INTO submissions (player_id, level_id, replay, input_hash, claimed_steps, sim_version)"
              " SELECT $1, l.id, $3, sha256($4), $5, $6 FROM levels l WHERE l.identity = $2"
              " ON CONFLICT (input_hash) DO NOTHING RETURNING id, state");
    c.prepare("run_notify", "SELECT pg_notify('runs_queued', '')");
    c.prepare("run_by_input", "SELECT id, player_id, state FROM submissions WHERE input_hash = sha256($1)");
    c.prepare("run_status",
              "SELECT s.state, s.verdict, s.claimed_steps, l.identity, p.name,"
              " (SELECT count(*) FROM best_runs o WHERE o.level_id = s.level_id) AS entries,"
              " CASE WHEN b.submission_id IS NULL THEN NULL ELSE 1 + " PLACES_BEFORE("b") " END AS rank"
              " FROM submissions s JOIN levels l ON l.id = s.level_id JOIN players p ON p.id = s.player_id"
              " LEFT JOIN best_runs b ON b.submission_id = s.id WHERE s.id = $1");
    c.prepare("levels_listed",
              "SELECT l.identity, l.name AS level_name, l.title, l.longest_steps,"
              " (SELECT count(*) FROM best_runs o WHERE o.level_id = l.id) AS entries,"
              " r.steps, r.name, r.submission_id"
              " FROM levels l LEFT JOIN LATERAL (SELECT b.steps, p.name, b.submission_id FROM best_runs b"
              "  JOIN players p ON p.id = b.player_id WHERE b.level_id = l.id"
              "  ORDER BY b.steps, b.submission_id LIMIT 1) r ON true"
              " WHERE l.listed ORDER BY l.position, l.id");
    c.prepare("table_page",
              "SELECT p.name, b.steps, b.submission_id,"
              " (SELECT count(*) FROM best_runs o WHERE o.level_id = l.id"
              "  AND (o.steps, o.submission_id) <= ($2::integer, $3::bigint))"
              " + row_number() OVER (ORDER BY b.steps, b.submission_id) AS rank"
              " FROM levels l JOIN best_runs b ON b.level_id = l.id JOIN players p ON p.id = b.player_id"
              " WHERE l.identity = $1 AND (b.steps, b.submission_id) > ($2::integer, $3::bigint)"
              " ORDER BY b.steps, b.submission_id LIMIT $4");
    c.prepare("table_entry_of",
              "SELECT b.steps, b.submission_id, 1 + " PLACES_BEFORE("b") " AS rank"
              " FROM best_runs b JOIN levels l ON l.id = b.level_id WHERE l.identity = $1 AND b.player_id = $2");
    c.prepare("table_before",
              "SELECT p.name, b.steps, b.submission_id"
              " FROM levels l JOIN best_runs b ON b.level_id = l.id JOIN players p ON p.id = b.player_id"
              " WHERE l.identity = $1 AND (b.steps, b.submission_id) < ($2::integer, $3::bigint)"
              " ORDER BY b.steps DESC, b.submission_id DESC LIMIT 5");
    c.prepare("table_from",
              "SELECT p.name, b.steps, b.submission_id"
              " FROM levels l JOIN best_runs b ON b.level_id = l.id JOIN players p ON p.id = b.player_id"
              " WHERE l.identity = $1 AND (b.steps, b.submission_id) >= ($2::integer, $3::bigint)"
              " ORDER BY b.steps, b.submission_id LIMIT 6");
    c.prepare("run_replay", "SELECT replay FROM submissions WHERE id = $1 AND state = 'accepted'");
    c.prepare("queue_depth", "SELECT count(*) FROM submissions WHERE state IN ('queued', 'verifying')");
}

#undef PLACES_BEFORE

}  // namespace velmora::server
