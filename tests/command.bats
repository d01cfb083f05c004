# The command as users run it, the same rows for every build (BUILD): exit status, the one folder made
# ('-' for none), and nothing else changed. The test folder holds sub/, abc/, existing/, deep/er/a/, a
# 400-byte $DEEP path of folders, a file "file", a dangling link "dangling" and a link "link" to sub/;
# Windows builds start in it as the root of drive M:.
load helpers

@test "no arguments: the report, status 3" { row 3 -; }
@test "one argument: the report, status 3" { row 3 - sub; }
@test "three arguments: the report, status 3" { row 3 - sub New extra; }
@test "made here" { row 0 New . New; }
@test "made in a subfolder" { row 0 sub/New sub New; }
@test "a three-letter parent still gets its separator" { row 0 abc/New abc New; }
@test "a parent ending in a backslash gets no second one" { row 0 sub/New 'sub\' New; }
@test "a parent ending in a slash gets no backslash" { row 0 sub/New sub/ New; }
@test "backslashes inside the parent are separators" { row 0 deep/er/New 'deep\er' New; }
@test "a folder already there: 0" { row 0 - . existing; }
@test "a link to a folder counts as a folder: 0" { row 0 - . link; }
@test "an empty name names the parent itself: 0" { row 0 - sub ''; }
@test "an empty name never makes a missing parent: 1" { row 1 - missing ''; }
@test "an empty name never makes a missing parent given with its separator: 1" { row 1 - 'missing\' ''; }
@test "a file of that name: 1" { row 1 - . file; }
@test "a dangling link of that name: 1" { row 1 - . dangling; }
@test "a missing parent is not made: 1" { row 1 - missing New; }
@test "a place even root cannot write to: 1" { row 1 - "$PROC" bramwick-test; }
@test "spaces are kept" { row 0 'sub/two  spaces' sub 'two  spaces'; }
@test "Greek outside the legacy code page" { row 0 deep/er/Ωmega deep/er Ωmega; }
@test "Esperanto outside the legacy code page" { row 0 deep/er/Ŝtar deep/er Ŝtar; }
@test "Japanese" { row 0 deep/er/日本 deep/er 日本; }
@test "Latin-1" { row 0 deep/er/café deep/er café; }
@test "a fullwidth reverse solidus is no separator" { row 0 'deep/er/a＼b' deep/er 'a＼b'; }
@test "fullwidth solidi cannot climb out of the parent" { row 0 'deep/er/..／..／escaped' deep/er '..／..／escaped'; }
@test "a name longer than the file system takes: 1" { row 1 - . "$(printf '%256s' | tr ' ' n)"; }
@test "a name of 512 bytes is refused whole: 1" { row 1 - . "$(printf '%512s' | tr ' ' n)"; }
@test "a parent of 100000 bytes is refused whole: 1" { row 1 - "$(printf '%100000s' | tr ' ' p)" New; }

@test "on drive M: a root gets no second separator, nor an empty parent a network path" {
    [ -n "${windows:-}" ] || skip "drive letters are Windows' own"
    row 0 New 'M:\' New; row 0 Other M: Other; row 0 Rooted '\' Rooted; row 0 Empty '' Empty
    row 0 New/Inner 'M:\New' Inner; row 1 - 'M:\Missing' Inner
}

@test "a target of exactly 511 bytes is made" { native_only "Wine's paths end at MAX_PATH"; row 0 "$DEEP$TO_511" "$DEEP" "$TO_511"; }
@test "a target of 512 bytes is refused whole: 1" { row 1 - "$DEEP" "${TO_511}a"; }

@test "a new folder gets mode 0777 less the umask" {
    native_only "Windows gives a new folder the security it inherits from its parent"
    umask 027; row 0 Private . Private; umask 077; row 0 Secret . Secret
    expect "modes" "$(stat -c %a Private Secret | xargs)" "750 700"
}

@test "hostile starts: no argument vector or environment, a read-only mount, standard streams closed, full or broken" {
    mkfifo pipe; exec 4<>pipe 5>pipe 4<&-; rm pipe  # 5: a pipe without a reader
    mkdir mount; echo hidden >mount/underneath
    read_only() { unshare -m sh -c 'mount -t tmpfs -o ro none mount && exec "$@"' sh "$@"; }
    # Native only: Wine needs an argument vector and an environment, and makes folders outside the mount.
    while read -r builds status made start; do
        [ "$builds" = all ] || [ -z "${windows:-}" ] || continue
        local before code=0; before=$(listing)
        eval "$start" >"$OUT" 2>"$ERR" || code=$?
        expect "$start" "$code" "$status"; expect "standard output" "$(cat -A "$OUT")" ""
        [ "$status" != 3 ] || [[ $start == *2\>* ]] || printf "$REPORT" | cmp - "$ERR"
        changed_by "$made" "$before"
    done <<'TABLE'
all     0 Input program <&- . Input
all     3 -     program only-one <&-
all     3 -     program only-one 2>&-
all     3 -     program only-one 2>/dev/full
all     3 -     program only-one 2>&5
native  3 -     "$NOARGV" "$exe"
native  0 Bare  env -i "$exe" . Bare
native  3 -     env -i "$exe" only-one
native  1 -     read_only "$exe" mount New
TABLE
}

@test "runs at once, half of them racing for one folder: all 0" {
    local runs=200; [ "$BUILD" != memcheck ] && [ -z "${windows:-}" ] || runs=20  # valgrind and Wine start slowly
    for ((i = 0; i < runs; i++)); do { program sub "Own$((i % 2 ? i : 0))"; echo $? >>"$OUT"; } & done
    wait; expect "exit statuses" "$(sort -u "$OUT" | xargs)" 0
    expect "folders in sub" "$(ls sub | wc -l)" $((runs / 2 + 1))
}
