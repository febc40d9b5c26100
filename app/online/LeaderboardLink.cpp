#include "app/online/LeaderboardLink.h"

#include "app/online/PlayerToken.h"
#include "app/online/RunQueue.h"
#include "app/shell/ShellState.h"
#include "level/LevelIdentity.h"

namespace velmora::app {

void startLeaderboard(ShellState& shell) {
    if (shell.settings.leaderboard.empty() || !shell.archive.keepsPlayerFiles || shell.leaderboard) return;
    const std::string queueFolder = RunQueue::defaultFolder();
    if (queueFolder.empty()) return;  // no data folder: said already, nothing to keep runs in
    shell.leaderboard = std::make_unique<RunSender>(
        SenderSetup{shell.settings.leaderboard, shell.settings.playerName, playerTokenPath(), queueFolder});
    shell.archive.runQueueFolder = queueFolder;
    RunSender* sender = shell.leaderboard.get();
    shell.archive.runQueued = [sender] { sender->wake(); };
}

void stopLeaderboard(ShellState& shell) {
    finishSaving(shell.archive);  // its thread may be about to wake the sender
    shell.archive.runQueued = nullptr;
    shell.archive.runQueueFolder.clear();
    shell.leaderboard.reset();
}

std::string leaderboardLevel(const LevelEntry& level) { return levelIdentityText(levelIdentityOf(level)); }

}  // namespace velmora::app
