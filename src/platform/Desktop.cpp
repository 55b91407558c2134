#include "platform/Desktop.h"

#include "platform/Files.h"
#include "platform/MessageBoxes.h"

#include <cerrno>
#include <condition_variable>
#include <fcntl.h>
#include <mutex>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace platform {
namespace {

std::function<void(const std::string&)> g_Opener;

// What the openers' own threads tell the rest of the program.
struct TOpeners {
    std::mutex Lock;
    std::condition_variable Done;
    int Undecided = 0; // started, neither ended nor past OpenerVerdict
    std::vector<std::string> Failed;
    std::function<void(const std::string&)> FailureHandler;
};

TOpeners& Openers() {
    static TOpeners* openers = new TOpeners; // outlives the threads still waiting at exit
    return *openers;
}

void Decided(const std::string& target, bool failed) {
    TOpeners& o = Openers();
    std::function<void(const std::string&)> handler;
    {
        std::lock_guard lock(o.Lock);
        --o.Undecided;
        if (failed && o.FailureHandler)
            handler = o.FailureHandler;
        else if (failed)
            o.Failed.push_back(target);
    }
    o.Done.notify_all();
    if (handler)
        handler(target);
}

} // namespace

void OpenWithDesktop(const std::string& target, bool watched) {
    if (g_Opener) {
        g_Opener(target);
        return;
    }
    if (watched) {
        std::lock_guard lock(Openers().Lock);
        ++Openers().Undecided;
    }
    // xdg-open would take such a target for an option; the program hands over only absolute
    // paths and addresses.
    if (target.empty() || target.front() == '-') {
        if (watched)
            Decided(target, true);
        return;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    // Its own session, so that the viewer outlives us and ignores our terminal's signals.
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSID);

    std::string program = "xdg-open";
    std::string argument = target;
    char* argv[] = {program.data(), argument.data(), nullptr};
    pid_t pid = 0;
    const int rc = posix_spawnp(&pid, program.c_str(), &actions, &attr, argv, environ);
    posix_spawnattr_destroy(&attr);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) {
        if (watched)
            Decided(target, true); // no opener at all: nothing can show the document
        return;
    }
    // Reaped in the background, so that the window never waits for the desktop. The
    // verdict comes when the opener ends, or when it has run long enough to have found an
    // application; the thread then stays only to reap it.
    std::thread([pid, target, watched] {
        const auto deadline = std::chrono::steady_clock::now() + OpenerVerdict;
        bool decided = !watched;
        for (;;) {
            int status = 0;
            const pid_t done = ::waitpid(pid, &status, decided ? 0 : WNOHANG);
            if (done == pid) {
                if (!decided)
                    Decided(target, !WIFEXITED(status) || WEXITSTATUS(status) != 0);
                return;
            }
            if (done < 0 && errno != EINTR) {
                if (!decided)
                    Decided(target, false);
                return;
            }
            if (!decided && std::chrono::steady_clock::now() >= deadline) {
                Decided(target, false);
                decided = true;
            }
            if (!decided)
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }).detach();
}

void SetOpenerFailureHandler(std::function<void(const std::string& target)> failed) {
    std::lock_guard lock(Openers().Lock);
    Openers().FailureHandler = std::move(failed);
}

std::vector<std::string> WaitForOpeners() {
    TOpeners& o = Openers();
    std::unique_lock lock(o.Lock);
    o.Done.wait(lock, [&o] { return o.Undecided == 0; });
    std::vector<std::string> failed;
    failed.swap(o.Failed);
    return failed;
}

void SetDesktopOpenerForTesting(std::function<void(const std::string&)> opener) {
    g_Opener = std::move(opener);
}

bool OpenAsTempDocument(std::string_view bytes) {
    const TTempDocument document = WriteTempDocument(bytes);
    if (!document.Error.empty()) {
        ShowError(document.Error);
        return false;
    }
    OpenWithDesktop(document.Path.native(), true);
    return true;
}

} // namespace platform
