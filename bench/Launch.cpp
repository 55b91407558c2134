// Starts a program and reports its wall time and peak memory: "<seconds> <maxrss KiB>
// <wait status>" on standard output. The benchmarks start programs through this small
// process rather than directly: a child's ru_maxrss is never below the resident size of the
// process it was started from (exec records the old address space's high-water mark), and
// the benchmark process itself holds far more than the programs it measures.

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdio>
#include <ctime>

extern char** environ;

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("usage: vantrel_bench_launch PROGRAM [ARG...]\n", stderr);
        return 64;
    }
    timespec start{}, end{};
    ::clock_gettime(CLOCK_MONOTONIC, &start);
    pid_t pid = 0;
    if (const int rc = ::posix_spawn(&pid, argv[1], nullptr, nullptr, argv + 1, environ); rc != 0) {
        std::fprintf(stderr, "vantrel_bench_launch: cannot start %s (error %d)\n", argv[1], rc);
        return 70;
    }
    int status = 0;
    rusage usage{};
    pid_t waited;
    do
        waited = ::wait4(pid, &status, 0, &usage);
    while (waited < 0 && errno == EINTR);
    ::clock_gettime(CLOCK_MONOTONIC, &end);
    if (waited != pid)
        return 70;
    const double seconds =
        static_cast<double>(end.tv_sec - start.tv_sec) + (end.tv_nsec - start.tv_nsec) * 1e-9;
    std::printf("%.9f %ld %d\n", seconds, usage.ru_maxrss, status);
    return 0;
}
