#!/usr/bin/env bash
# Builds Zavrex twice - a normal build and one with AddressSanitizer and
# UndefinedBehaviorSanitizer - and runs every test in both.
# Installs the Debian packages it needs first when they are missing (run as root).
set -euo pipefail
cd "$(dirname "$0")"

PACKAGES="cmake ninja-build g++ qt6-base-dev libqt6sql6-sqlite qt6-translations-l10n fonts-dejavu-core xvfb xauth libgtest-dev libgmock-dev libbenchmark-dev mdbtools-dev pkg-config desktop-file-utils"
packages_missing() {
    ! dpkg-query -W $PACKAGES >/dev/null 2>&1 ||
        dpkg-query -W -f='${db:Status-Status}\n' $PACKAGES | grep -qvx installed
}
if packages_missing; then
    echo "== installing packages"
    apt-get update
    DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $PACKAGES
fi

JOBS=$(nproc)

echo "== normal build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DZAVREX_WERROR=ON
cmake --build build -j "$JOBS"
ctest --test-dir build --output-on-failure -j "$JOBS"

echo "== AddressSanitizer + UndefinedBehaviorSanitizer build"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" \
      -DZAVREX_SANITIZE=ON -DZAVREX_BENCHMARKS=OFF -DZAVREX_WERROR=ON
cmake --build build-asan -j "$JOBS"
ctest --test-dir build-asan --output-on-failure -j "$JOBS"
