# SPDX-FileCopyrightText: 2026 The Bramwick authors
# SPDX-License-Identifier: MIT
# What the tables share: the project's version, the build under test (BUILD, named by CTest; run by
# hand, the dev build's program), whether it can run here, how to start it, and the check of one row.
# shellcheck disable=SC2034 # the names are read by the tables
ROOT=$(cd "$BATS_TEST_DIRNAME/.." && pwd)
VERSION=$("$ROOT/scripts/version")
BUILD=${BUILD:-native} NATIVE=${NATIVE:-$ROOT/build/dev/bramwick}
LINE=$(grep -n 'CHECK(argc == 3);' "$ROOT/src/Bramwick.cpp" | cut -d: -f1) # where the report says it failed
REPORT="\r\nAssertion failed: argc == 3, file src/Bramwick.cpp, line $LINE\r\n\r\nAbnormal program termination\r\n"
# Each build: its program, the build tree that makes it, what starts it (LAUNCHER: valgrind, Wine;
# EMULATOR: qemu), and what remakes it.
launcher=() emulator=() tree=$ROOT/build/$BUILD remake="scripts/build $BUILD"
case $BUILD in
native | memcheck) exe=$NATIVE tree=${NATIVE%/*} remake="cmake --build --preset dev" ;; # this tree's own program
release*)
    exe=$tree/bramwick # a Linux program: its row of cmake/linux-targets; the first row is this machine's own
    read -r _ _ _ _ _ qemu <<<"$("$ROOT/scripts/linux-targets" | grep "^$BUILD ")"
    [ "$BUILD" = release ] || emulator=("$qemu")
    # This machine's own runs with the three standard streams open and no descriptor free, as a look
    # needs none (under qemu the emulator needs descriptors of its own, as would a loader or valgrind).
    [ "$BUILD" != release ] || launcher=(bash -c 'ulimit -n 3 && exec "$@"' limited)
    ;;
windows-x64) exe=$tree/bramwick.exe launcher=(/usr/lib/wine/wine64) windows=1 WINEARCH=win64 ;;
windows-x86) # the home platform: 32-bit Wine where the kernel runs 32-bit code, else WoW64 through qemu-i386
    exe=$tree/bramwick.exe launcher=(/usr/lib/wine/wine) windows=1 WINEARCH=win32
    export I386=${I386:-$("$ROOT/scripts/runs-32-bit-programs" >/dev/null && echo native || echo qemu)} # or qemu anywhere
    [ "$I386" = native ] || launcher=("$ROOT/scripts/with-qemu-i386" /usr/lib/wine/wine64) WINEARCH=win64
    ;;
esac
# Root runs Wine without the two powers that pass permission bits, so that they bind it as they bind any
# other user; the Wine server it starts, which opens files for it, is bound too. (A plain user has no
# such powers to drop. Where Wine's 32-bit loader runs through qemu-i386, another user could register
# qemu only as root of a user namespace of its own, where Wine would take it for root.)
[ -z "${windows:-}" ] || [ "$(id -u)" != 0 ] || launcher=(setpriv "--bounding-set=-dac_override,-dac_read_search" "${launcher[@]}")
[ "$BUILD" != memcheck ] || launcher=(valgrind --error-exitcode=99 "--log-file=${BATS_TEST_TMPDIR:-$BATS_FILE_TMPDIR}/memcheck.%p")
if [ -n "${windows:-}" ]; then # a prefix of each build's own, made by its first run and kept
    export WINEARCH WINEPREFIX=$ROOT/build/wine/$BUILD-$WINEARCH WINEDEBUG=-all LC_ALL=C.UTF-8
    export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d" # no add-on installers, no debugger on a crash
    unset DISPLAY
fi

# Why the build cannot run here, if it cannot.
unavailable() {
    [ "$BUILD" != windows-x86 ] || [ -x /usr/lib/wine/wine ] || { echo "32-bit Wine is missing (wine32:i386)" && return; }
    [ -x "$exe" ] || { echo "$exe is not there ($remake makes it)" && return; }
    # A program its build would compile or link anew would pass for sources it does not hold.
    ninja -C "$tree" -n bramwick 2>&1 | grep -qE '\] (Building|Linking) ' && echo "stale: its build would remake it (run $remake)" && return
    command -v true "${launcher[@]:0:1}" "${emulator[@]}" >/dev/null || echo "${launcher[0]:-${emulator[0]}} is missing"
}
# Skips the test, saying WHY, when a reason is given; under CI=true it fails instead. A leg that cannot
# run here skips saying "cannot run here", which CTest counts as the whole leg skipped (a failure that
# says so is still a failure: bats writes a skip as "# skip WHY").
skip_because() { # WHY
    [ -z "$1" ] || [ "${CI:-}" != true ] || fail "$1"
    [ -z "$1" ] || skip "$1"
}

# Starts the build under test with ARGUMENT...: under its launcher (valgrind, Wine) and emulator.
program() { "${launcher[@]}" "${emulator[@]}" "$exe" "$@"; }

fail() { echo "$1" && return 1; }
expect() { [ "$2" = "$3" ] || fail "$(printf '%s: got\n%s\nexpected\n%s' "$1" "$2" "$3")"; } # WHAT ACTUAL EXPECTED
listing() { find . \( -type f -printf 'f %p %s\n' \) -o \( -type l -printf 'l %p %l\n' \) -o -printf '%y %p\n' | sort; }

# One row: the arguments after STATUS and MADE end with that exit status, and the folder MADE ('-'
# for none) is the one thing new in the test folder. Standard output stays empty; standard error
# holds the report after status 3 and nothing otherwise.
row() { # STATUS MADE ARGUMENT...
    local status=$1 made=$2 before code=0
    shift 2
    before=$(listing)
    program "$@" >"$BATS_TEST_TMPDIR/out" 2>"$BATS_TEST_TMPDIR/err" || code=$?
    expect "exit status of ${*@Q}" "$code" "$status"
    expect "standard output" "$(cat -A "$BATS_TEST_TMPDIR/out")" ""
    expect "standard error" "$(cat -A "$BATS_TEST_TMPDIR/err")" "$([ "$status" != 3 ] || printf '%b' "$REPORT" | cat -A)"
    # The folder made is all that is new; nothing else changed.
    diff <({ echo "$before" && [ "$made" = - ] || echo "d ./$made"; } | sort) <(listing)
}
