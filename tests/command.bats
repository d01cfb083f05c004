# SPDX-FileCopyrightText: 2026 The Bramwick authors
# SPDX-License-Identifier: MIT
# The command as users run it, the same rows for every build (BUILD): exit status, the one folder made
# ('-' for none), and nothing else changed. The test folder holds sub/, deep/er/a/, a file "file", a
# link "link" to sub/ and a dangling one; Windows builds start in it as the root of drive M:. The native
# release runs every row with no descriptor free: a look needs none.
# shellcheck disable=SC2154 # exe and emulator, the build under test, are set by helpers.bash
# shellcheck disable=SC2030,SC2031 # each test runs in a subshell: a launcher set by one is its own
load helpers
# shellcheck disable=SC2034 # read by bats
BATS_TEST_NAME_PREFIX="[$BUILD] "

# Once per file, when the build can run here. Wine makes its prefix on a first run and goes on after it:
# no row may start before it is done. (A launcher that cannot start the program at all fails the rows
# that expect a folder made.)
setup_file() {
    export CANNOT && CANNOT=$(unavailable)
    [ -z "$CANNOT" ] && [ -n "${windows:-}" ] || return 0 # else each test says why (setup)
    mkdir -p "$WINEPREFIX" && { program only-one 2>/dev/null || true; } && "/usr/lib/wine/wineserver${WINEARCH#win}" -w
}
# A fresh folder holding a little of everything; Windows builds see it as drive M:.
setup() {
    skip_because "${CANNOT:+cannot run here: $CANNOT}"
    mkdir -p "$BATS_TEST_TMPDIR/t/sub" "$BATS_TEST_TMPDIR/t/deep/er/a"
    cd "$BATS_TEST_TMPDIR/t" || return
    echo keep >file
    ln -s sub link
    ln -s missing dangling
    [ -z "${windows:-}" ] || ln -sfn "$PWD" "$WINEPREFIX/dosdevices/m:"
}

# No run under valgrind took heap memory, and each wrote its log; a memory error already ends a run with
# status 99.
teardown() {
    [ "$BUILD" = memcheck ] && [ -z "${BATS_TEST_SKIPPED:-}" ] || return 0
    compgen -G "$BATS_TEST_TMPDIR/memcheck.*" >/dev/null || fail "valgrind wrote no log" || return
    ! grep -L 'total heap usage: 0 allocs' "$BATS_TEST_TMPDIR"/memcheck.* | grep . || fail "heap taken, above"
}

@test "no arguments: the report, status 3" { row 3 -; }
@test "made here (on Linux with mode 0777 less the umask), already there through a link, or under a linked PARENT: 0" {
    umask 002
    row 0 New . New
    [ -n "${windows:-}" ] || expect "mode" "$(stat -c %a New)" 775
    row 0 - . link
    row 0 sub/Linked link Linked
}
# The look opens nothing: a FIFO opened for reading would let its writer go, and its bytes be lost. /proc/
# ends in its own separator (Windows builds reach it as Z:/proc/): no backslash to translate.
@test "a file, a dangling link or a FIFO of that name, or a place even root cannot write to: 1; the FIFO's writer still waits" {
    mkfifo fifo
    { timeout 60 sh -c 'echo precious >fifo' & } 3>&- # let go by a reader, or in a minute; bats waits for its 3
    row 1 - . file
    row 1 - . dangling
    row 1 - . fifo
    row 1 - "${windows:+Z:}/proc/" bramwick-test
    expect "what the FIFO's writer wrote" "$(timeout 10 cat fifo)" precious
}
# Windows' open asks for SYNCHRONIZE, which only a folder's own access list gives; its attributes come
# with the right to list its parent. Under Wine an open needs the right to read the folder, and root runs
# Wine bound by permission bits (helpers.bash).
@test "another user's folders: one under a PARENT others may search, not read (0711), and one of mode 000: 0" {
    [ -n "${windows:-}" ] || skip "the Linux look asks for no right"
    [ "$(id -u)" = 0 ] || skip_because "needs root, to hand folders to another user"
    mkdir -p hidden/inside locked && chmod 0711 hidden && chmod 000 locked && chown -R nobody: hidden locked
    row 0 - 'M:\hidden' inside
    row 0 - . locked
}
# Windows' null device takes a creation and makes nothing. (Linux has no such place; the fuzz target's
# seeds hold the same answer for the command's module, which every Linux program is built from.)
@test "a creation reported done that made nothing: 1" {
    [ -n "${windows:-}" ] || skip "the null device is Windows' own"
    row 1 - 'M:\sub' NUL
    row 1 - "M:\\" nul
}
@test "names Windows resolves: nothing made under a missing parent (1); under one that stands, '.' and '..' (0), '..\New' followed" {
    # Windows resolves '.' and '..' and strips trailing dots and spaces: under a missing parent, each of
    # these names would lead the system to make the parent or a folder beside it (from 'missing\deeper',
    # '..' names 'missing' itself). The parent 'deep\er' also shows that backslashes in PARENT are
    # separators. Linux refuses such paths by itself, so one Linux leg shows it.
    [ -n "${windows:-}" ] || [ "$BUILD" = native ] || skip "Linux refuses these itself: the native leg shows it"
    for pair in missing/{New,,.,' ','. .',...,'x\..',..,'..\here\made'} 'missing\deeper'/{..,'..\here\made'} 'missing\/'; do
        row 1 - "${pair%%/*}" "${pair#*/}" # PARENT/NAME
    done
    row 0 - sub .
    row 0 - 'deep\er' ..
    row 0 New sub '..\New'
}
# Outside the legacy code page, and fullwidth solidi that best-fit mapping would turn into separators.
@test "names arrive as typed, spaces and all, and fullwidth solidi are no separators" { row 0 'deep/er/Ωmega Ŝtar  日本 café a＼b ..／..／escaped' deep/er 'Ωmega Ŝtar  日本 café a＼b ..／..／escaped'; }

@test "a shipped Linux program is a static PIE, bound at start, with read-only relocations, a stack that runs no code, canaries and stack probes" {
    [[ $BUILD == release* ]] || skip "only the shipped Linux programs are built so"
    [[ $BUILD != *arm64 ]] || aarch64-linux-gnu-objdump -d "$exe" | grep -q paciasp || fail "signs no return address"
    # The command's frames are too small for a probe or a canary to show in the program: its compilation
    # asked for them, and the link took in the protector's failure path.
    jq -r '.[] | select(.file | endswith("src/Bramwick.cpp")) | .command' "$ROOT/build/$BUILD/compile_commands.json" |
        grep -- -fstack-protector-strong | grep -q -- -fstack-clash-protection || fail "compiled without either"
    grep -q '/libc\.a(__stack_chk_fail\.lo)$' "$ROOT/build/$BUILD/bramwick.map" || fail "checks no canary"
    headers=$(readelf -hldW "$exe")
    for expected in 'Type: +DYN ' '\(FLAGS\) +BIND_NOW' '^ +GNU_RELRO ' '^ +GNU_STACK( +0x[0-9a-f]+){5} RW '; do
        grep -qE -- "$expected" <<<"$headers" || fail "lacks: $expected"
    done
    ! grep -q 'INTERP' <<<"$headers" || fail "asks for a loader"
    # The link names only what the command uses: no C++ runtime, no maths library.
    ! grep -E 'LOAD .*/lib(std|sup)c\+\+|LOAD .*/libm\.' "$ROOT/build/$BUILD/bramwick.map" || fail "links the above"
}

# Before Windows 10 version 1903 the manifest's UTF-8 code page is ignored: a copy without resources
# shows it under Wine in Japanese's code page 932, where 表 is the bytes 0x95 0x5C.
@test "in a double-byte code page, a parent whose last character ends in the byte 0x5C gets a separator" {
    [ -n "${windows:-}" ] || skip "code pages are Windows' own"
    local locales=$BATS_TEST_TMPDIR/locales
    mkdir "$locales" 表
    localedef -i ja_JP -f UTF-8 "$locales/ja_JP.UTF-8" || [ -d "$locales/ja_JP.UTF-8" ] || fail "no Japanese locale"
    x86_64-w64-mingw32-objcopy --remove-section .rsrc "$exe" "$BATS_TEST_TMPDIR/bramwick.exe"
    exe=$BATS_TEST_TMPDIR/bramwick.exe launcher=(env "LOCPATH=$locales" LC_ALL=ja_JP.UTF-8 "${launcher[@]}")
    row 0 表/New 'M:\表' New
}

@test "standard input closed: made" { row 0 Input . Input <&-; }

# Each run a standard error that cannot take the report. The file-size limits are POSIX's (bash counts
# them in 1024-byte blocks), under which valgrind's log could not grow either.
@test "standard error closed, full, a pipe nobody reads, a file at its size limit or reaching it part-way: still 3, no signal" {
    mkfifo pipe
    # shellcheck disable=SC2094 # the pipe is opened twice on purpose: 6 is left without a reader
    exec 5<>pipe 6>pipe 5<&-
    rm pipe
    head -c 1000 /dev/zero >limited
    local runs=('program only-one 2>&-' 'program only-one 2>/dev/full' 'program only-one 2>&6') run status
    [ -n "${windows:-}" ] || [ "$BUILD" = memcheck ] ||
        runs+=('(ulimit -f 0 && program only-one 2>none)' '(ulimit -f 1 && program only-one 2>>limited)')
    for run in "${runs[@]}"; do
        status=0 && eval "$run" || status=$?
        expect "status of $run" "$status" 3
    done
    [ ! -e none ] || expect "sizes (no room, room for part)" "$(stat -c %s none limited | xargs)" "0 1024"
}
