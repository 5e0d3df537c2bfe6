#!/usr/bin/env bash
# Installs what is missing, builds with all cores and runs every test headless.
# SANITIZE=1 builds into build-sanitize with AddressSanitizer and UndefinedBehaviorSanitizer
# instead and runs the same tests under them (see README "Tests under the sanitizers").
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/deps.sh
./scripts/checkformat.sh

export LANG=C.UTF-8 LC_ALL=C.UTF-8
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
chmod 700 "$XDG_RUNTIME_DIR"

CONFIGURE=(-G Ninja -DCMAKE_BUILD_TYPE=Debug)
if [ "${SANITIZE:-0}" = 1 ]; then
  BUILD_DIR=${BUILD_DIR:-build-sanitize}
  # Instrumented code is slower and larger: fewer jobs at once unless asked otherwise.
  JOBS=${JOBS:-4}
  SAN_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
  if command -v ccache >/dev/null; then CONFIGURE+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
  if command -v ld.lld >/dev/null; then SAN_LINK="$SAN_FLAGS -fuse-ld=lld"; else SAN_LINK=$SAN_FLAGS; fi
  # Warnings are the plain build's business: the sanitizers change what GCC's flow
  # analysis sees and bring warnings of their own that say nothing about the code.
  CONFIGURE+=(-DPHOTOSELECT_WERROR=OFF "-DCMAKE_CXX_FLAGS=$SAN_FLAGS"
    "-DCMAKE_EXE_LINKER_FLAGS=$SAN_LINK" "-DCMAKE_SHARED_LINKER_FLAGS=$SAN_LINK")
  # Leak checking is off: Qt, fontconfig and Mesa keep process-lifetime allocations that
  # LeakSanitizer reports at exit, and the tests' windows are closed, not all deleted.
  export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0:abort_on_error=0:detect_stack_use_after_return=1:check_initialization_order=1}
  export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
else
  BUILD_DIR=${BUILD_DIR:-build}
  JOBS=${JOBS:-$(nproc)}
  CONFIGURE+=(-DPHOTOSELECT_WERROR=ON)
fi

cmake -S . -B "$BUILD_DIR" "${CONFIGURE[@]}" >/dev/null
cmake --build "$BUILD_DIR" -j "$JOBS"
cd "$BUILD_DIR"
ctest -j "$JOBS" --output-on-failure
