#include "platform/AtomicFile.h"

#include "platform/FileStepHook.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <csignal>
#include <fcntl.h>
#include <iostream>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace velmora::platform {

namespace {

FileStepHook& hook() {
    static FileStepHook installed;
    return installed;
}

// 0 when the step may run, else the errno it should fail with.
int hookSays(FileStep step) { return hook() ? hook()(step) : 0; }

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

// A save killed midway leaves its temporary file behind. The next save of
// the same file removes those whose writer is gone (the name holds its
// process id), and leaves alone what another running game is writing.
void removeStaleTemporaries(const std::string& folder, const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::string prefix =
        (slash == std::string::npos ? path : path.substr(slash + 1)) + ".saving-";
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.compare(0, prefix.size(), prefix) != 0) continue;
        const long writer = std::strtol(name.c_str() + prefix.size(), nullptr, 10);
        if (writer <= 0 || writer == ::getpid()) continue;
        if (::kill(static_cast<pid_t>(writer), 0) == 0 || errno != ESRCH) continue;
        ::unlinkat(::dirfd(dir), entry->d_name, 0);
    }
    ::closedir(dir);
}

std::string failure(const std::string& what, const std::string& path, int error) {
    return "Cannot save " + path + ": " + what + " failed: " + std::strerror(error);
}

bool writeAll(int fd, const std::string& bytes, int& error) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        if ((error = hookSays(FileStep::write)) != 0) return false;
        const std::size_t chunk = std::min(kWriteChunk, bytes.size() - done);
        const ssize_t written = ::write(fd, bytes.data() + done, chunk);
        if (written < 0) {
            if (errno == EINTR) continue;
            error = errno;
            return false;
        }
        // A short write with no errno: the disk is full.
        if (written == 0) {
            error = ENOSPC;
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    return true;
}

int syncFolder(const std::string& folder) {
    if (const int error = hookSays(FileStep::syncFolder); error != 0) return error;
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return errno;
    int error = 0;
    // Some file systems cannot sync a folder at all; that is not a failure.
    if (::fsync(fd) != 0 && errno != EINVAL && errno != EROFS) error = errno;
    ::close(fd);
    return error;
}

}  // namespace

void setFileStepHook(FileStepHook installed) { hook() = std::move(installed); }

const char* fileStepName(FileStep step) {
    switch (step) {
    case FileStep::open: return "open";
    case FileStep::write: return "write";
    case FileStep::sync: return "sync";
    case FileStep::close: return "close";
    case FileStep::rename: return "rename";
    case FileStep::syncFolder: return "folder sync";
    case FileStep::done: return "done";
    }
    return "?";
}

bool writeFileAtomically(const std::string& path, const std::string& bytes, std::string& error) {
    const std::string folder = folderOf(path);
    removeStaleTemporaries(folder, path);
    std::string tempName = path + ".saving-" + std::to_string(::getpid()) + "-XXXXXX";
    std::vector<char> tempPath(tempName.begin(), tempName.end());
    tempPath.push_back('\0');

    int code = hookSays(FileStep::open);
    const int fd = code == 0 ? ::mkostemp(tempPath.data(), O_CLOEXEC) : -1;
    if (fd < 0) {
        error = failure("creating a temporary file", path, code != 0 ? code : errno);
        return false;
    }
    tempName = tempPath.data();
    const auto giveUp = [&](const char* what, int errorCode, bool closeFirst) {
        if (closeFirst) ::close(fd);
        ::unlink(tempName.c_str());
        error = failure(what, path, errorCode);
        return false;
    };

    if (!writeAll(fd, bytes, code)) return giveUp("writing", code, true);
    if ((code = hookSays(FileStep::sync)) != 0 || (::fsync(fd) != 0 && (code = errno) != 0)) {
        return giveUp("flushing to disk", code, true);
    }
    // close can report a delayed write error (network file systems); after
    // it the descriptor is gone either way.
    if ((code = hookSays(FileStep::close)) != 0) return giveUp("closing", code, true);
    if (::close(fd) != 0 && errno != EINTR) return giveUp("closing", errno, false);
    if ((code = hookSays(FileStep::rename)) != 0 ||
        (::rename(tempName.c_str(), path.c_str()) != 0 && (code = errno) != 0)) {
        return giveUp("replacing the old file", code, false);
    }
    if ((code = syncFolder(folder)) != 0) {
        error = "Saved " + path + ", but flushing its folder failed (" + std::strerror(code) +
                "): the new file may not survive a power cut";
        return false;
    }
    hookSays(FileStep::done);
    return true;
}

ReadResult readWholeFile(const std::string& path, std::size_t maxBytes, std::string& bytes,
                         std::string& error) {
    bytes.clear();
    // Non-blocking, so that a pipe put where a save belongs cannot hang the
    // game in open; it is refused below as not a regular file.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        const int code = errno;
        error = "Cannot read " + path + ": " + std::strerror(code);
        return code == ENOENT ? ReadResult::missing : ReadResult::failed;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        error = "Cannot read " + path + ": not a regular file";
        ::close(fd);
        return ReadResult::failed;
    }
    const auto tooLarge = [&] {
        error = "Cannot read " + path + ": larger than " + std::to_string(maxBytes) + " bytes";
        bytes.clear();
        ::close(fd);
        return ReadResult::tooLarge;
    };
    if (static_cast<unsigned long long>(info.st_size) > maxBytes) return tooLarge();
    bytes.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[16 * 1024];
    while (true) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) continue;
            error = "Cannot read " + path + ": " + std::strerror(errno);
            bytes.clear();
            ::close(fd);
            return ReadResult::failed;
        }
        if (got == 0) break;
        // The file may have grown since fstat.
        if (bytes.size() + static_cast<std::size_t>(got) > maxBytes) return tooLarge();
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return ReadResult::ok;
}

std::string keepAside(const std::string& path, const std::string& reason) {
    for (int number = 0; number < 1000; ++number) {
        const std::string aside = path + ".bad" + (number == 0 ? "" : "." + std::to_string(number));
        // A hard link fails when the name is taken, where rename would
        // replace an earlier kept file.
        if (::link(path.c_str(), aside.c_str()) == 0) {
            ::unlink(path.c_str());
            std::cout << path << " " << reason << "; kept it aside as " << aside << "."
                      << std::endl;
            return aside;
        }
        if (errno == EEXIST) continue;
        // Without hard links (some file systems) check, then rename.
        if (errno == EPERM || errno == EOPNOTSUPP || errno == EMLINK) {
            struct stat info {};
            if (::lstat(aside.c_str(), &info) == 0) continue;
            if (::rename(path.c_str(), aside.c_str()) == 0) {
                std::cout << path << " " << reason << "; kept it aside as " << aside << "."
                          << std::endl;
                return aside;
            }
        }
        break;
    }
    std::cout << path << " " << reason << ", and it could not be kept aside (" << std::strerror(errno)
              << "); leaving it untouched." << std::endl;
    return {};
}

}  // namespace velmora::platform
