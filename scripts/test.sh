#!/usr/bin/env bash
# Installs what is missing, builds Kolbrin with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
BUILD=build/test
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKOLBRIN_SANITIZE=ON >/dev/null
cmake --build "$BUILD" -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --test-dir "$BUILD" --output-on-failure -j"$(nproc)"

# The code that runs threads once more under ThreadSanitizer (which cannot
# share a build with AddressSanitizer): the widget-free tests that walk,
# wait and give up on worker threads.
TSAN_BUILD=build/tsan
cmake -S . -B "$TSAN_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKOLBRIN_TSAN=ON -DKOLBRIN_GUI=OFF >/dev/null
cmake --build "$TSAN_BUILD" -j"$(nproc)" --target kolbrin_core_tests
TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1" \
  "$TSAN_BUILD/tests/kolbrin_core_tests" --gtest_filter='DirScan*:WorkerCall*:LooseThreads*:StuckMounts*:EnumerationTest.OutOfMemory*:EnumerationTest.ManyEntries*:EnumerationTest.AnyNumber*:DriveTreeListing*:-DirScan.FiveThousandLevelsDeep' --gtest_brief=1
