# The Debian packages the project needs, sourced by the run and test commands.
BUILD_PACKAGES=(g++ cmake ninja-build pkg-config qt6-base-dev)
RUN_PACKAGES=(libqt6widgets6 qt6-qpa-plugins fonts-liberation xdg-utils)
TEST_PACKAGES=(libgtest-dev libgmock-dev unrtf)
BENCH_PACKAGES=(libbenchmark-dev)
FUZZ_PACKAGES=(clang libclang-rt-14-dev)
