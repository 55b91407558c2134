#include "BenchSupport.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <system_error>

extern char** environ;

namespace fs = std::filesystem;

namespace bench {

namespace {

void Check(bool ok, const std::string& what) {
    if (!ok)
        throw std::runtime_error(what + ": " + std::strerror(errno));
}

// Whether `b` is a hard link to `a`. A link made before the program was rebuilt holds the
// old program, and a copy (where no link can be made) is made anew on every run.
bool SameFile(const fs::path& a, const fs::path& b) {
    struct stat sa {};
    struct stat sb {};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

} // namespace

fs::path ScratchDir() {
    const fs::path dir = VANTREL_BENCH_SCRATCH;
    fs::create_directories(dir);
    return dir;
}

fs::path ConfigDir() {
    const fs::path dir = ScratchDir() / "config";
    fs::create_directories(dir);
    return dir;
}

fs::path BareProgram() {
    return VANTREL_BENCH_BARE;
}

fs::path ProgramCopy(const std::string& name) {
    const fs::path program = VANTREL_BENCH_PROGRAM;
    const fs::path dir = ScratchDir() / name;
    fs::create_directories(dir / "Data");
    // The program finds its Data folder through /proc/self/exe, which a symbolic link would
    // lead back to the build folder: a hard link, or a copy on another file system.
    const fs::path copy = dir / program.filename();
    if (!SameFile(program, copy)) {
        std::error_code ec;
        fs::remove(copy, ec);
        fs::create_hard_link(program, copy, ec);
        if (ec)
            fs::copy_file(program, copy, fs::copy_options::overwrite_existing);
    }
    return copy;
}

fs::path EmptyDataDir() {
    const fs::path data = ProgramCopy("empty").parent_path() / "Data";
    // Whatever a run left there would no longer make it empty.
    for (const auto& entry : fs::directory_iterator(data))
        fs::remove_all(entry.path());
    return data;
}

TOrderStamp OrderStamp(int i) {
    return {i / 12 + 1, 1 + i % 28, 1 + (i / 28) % 12, 2015 + i % 12};
}

void MakeOnce(const fs::path& data, int count, const std::function<void(int i)>& make) {
    const fs::path done =
        data.parent_path() / (data.parent_path().filename().string() + "-complete");
    if (fs::exists(done))
        return;
    std::fprintf(stderr, "Making %d files in %s (once)...\n", count, data.c_str());
    fs::remove_all(data);
    fs::create_directories(data);
    for (int i = 0; i < count; ++i)
        make(i);
    std::ofstream(done) << count << "\n";
}

fs::path OrdersDataDir() {
    const fs::path data = ProgramCopy("orders").parent_path() / "Data";
    static const std::array<const char*, 8> recipients = {
        "Ромашка",      "ТОВ «Лютик»", "ФОП Іваненко Ї.Є.", "ПАТ Ґудзик",
        "КП Водоканал", "Приватбанк",  "ТОВ Альфа-Сервіс",  "ЧП Сидоренко"};
    MakeOnce(data, OrderCount, [&data](int i) {
        const TOrderStamp o = OrderStamp(i);
        char name[256];
        std::snprintf(name, sizeof name, "№ %04d от %02d.%02d.%04d - %s.plt", o.Number, o.Day,
                      o.Month, o.Year, recipients[static_cast<size_t>(i) % recipients.size()]);
        const int fd =
            ::open((data / name).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        Check(fd >= 0, "creating an order file");
        ::close(fd);
    });
    return data;
}

TProcessRun RunProcess(const std::vector<std::string>& argv) {
    std::vector<std::string> env;
    const std::array<std::string, 2> ours = {"QT_QPA_PLATFORM=offscreen",
                                             "XDG_CONFIG_HOME=" + ConfigDir().string()};
    for (char** e = environ; *e; ++e) {
        const std::string_view entry = *e;
        bool replaced = false;
        for (const std::string& own : ours)
            replaced = replaced || entry.substr(0, entry.find('=') + 1) ==
                                       std::string_view(own).substr(0, own.find('=') + 1);
        if (!replaced)
            env.emplace_back(entry);
    }
    env.insert(env.end(), ours.begin(), ours.end());

    // The launcher reports the program's own wall time and peak memory (see Launch.cpp).
    std::vector<std::string> command = {VANTREL_BENCH_LAUNCH};
    command.insert(command.end(), argv.begin(), argv.end());
    std::vector<char*> args, envp;
    for (std::string& a : command)
        args.push_back(a.data());
    args.push_back(nullptr);
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    int out[2];
    Check(::pipe2(out, O_CLOEXEC) == 0, "making a pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    pid_t pid = 0;
    const int rc = ::posix_spawn(&pid, args[0], &actions, nullptr, args.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    if (rc != 0) {
        ::close(out[0]);
        errno = rc;
        Check(false, "starting " + command[0]);
    }
    std::string report;
    char buffer[256];
    for (;;) {
        const ssize_t n = ::read(out[0], buffer, sizeof buffer);
        if (n > 0)
            report.append(buffer, static_cast<size_t>(n));
        else if (n == 0 || errno != EINTR)
            break;
    }
    ::close(out[0]);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }

    TProcessRun run{};
    int programStatus = -1;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 ||
        std::sscanf(report.c_str(), "%lf %ld %d", &run.Seconds, &run.MaxRssKiB, &programStatus) !=
            3)
        throw std::runtime_error("cannot run " + argv[0]);
    if (!WIFEXITED(programStatus) || WEXITSTATUS(programStatus) != 0)
        throw std::runtime_error(argv[0] + " did not exit cleanly (status " +
                                 std::to_string(programStatus) + ")");
    return run;
}

} // namespace bench
