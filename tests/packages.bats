# SPDX-FileCopyrightText: 2026 The Bramwick authors
# SPDX-License-Identifier: MIT
# The packages that scripts/package writes, a .deb and a .tar.gz for each Linux program of
# cmake/linux-targets and a zip for each Windows one, and the Windows executables they ship. Each program
# in a package is its build's, byte for byte, which the command table runs (command.bats).
load helpers

setup() {
    declare -gA BUILDS # each Linux package's build
    while read -r build architecture machine _; do
        BUILDS["bramwick_${VERSION}_$architecture.deb"]=$build BUILDS["bramwick-$VERSION-linux-$machine.tar.gz"]=$build
    done < <("$ROOT/scripts/linux-targets")
    PACKAGES=("${!BUILDS[@]}" "bramwick-$VERSION"-windows-x{64,86}.zip)
    SOURCE=bramwick-$VERSION.tar.gz SBOM=bramwick-$VERSION.cdx.json
    local why=
    cd "$ROOT/build/packages" 2>/dev/null && [ -e "${PACKAGES[0]}" ] || why="no packages in build/packages"
    # Packages older than the files they carry would pass for them.
    [ -n "$why" ] || ! (cd "$ROOT" && find packaging bramwick.1 README.md LICENSE CHANGELOG.md -newer build/packages/SHA256SUMS | grep -q .) ||
        why="stale: older than what they carry"
    skip_because "${why:+cannot run here: $why (scripts/package makes them)}"
}

# The tar stream of a .deb's files or of a .tar.gz.
tarball() { dpkg-deb --fsys-tarfile "$1" 2>/dev/null || gzip -dc "$1"; }

# PACKAGE holds just its files, sorted, owned by root, folders and programs 0755, others 0644, and
# Markdown that links to no file; a .deb has its fields.
package() { # PACKAGE
    local package=$1 tree=(bin/bramwick share/doc/bramwick/{README.md,THIRD-PARTY-NOTICES} share/man/man1/bramwick.1.gz) top
    top=${package%.zip} && top=${top%.tar.gz} && top=${top%.deb} build=${BUILDS[$package]:-}
    case $package in # MODE OWNER NAME of each member: tar members twice, owners by name and by id; zips store none
    *.zip)
        members=$(zipinfo "$package" | sed '1,2d;$d' | awk '{ print $1, "-", $9 }') markdown=$(unzip -p "$package" '*.md')
        files=("$top"/{bramwick.exe,bramwick.html,README.md,LICENSE,CHANGELOG.md,THIRD-PARTY-NOTICES}) build=windows-${top##*-}
        notices=$(unzip -p "$package" "$top/THIRD-PARTY-NOTICES")
        unzip -p "$package" "$top/bramwick.html" | grep -q '<title>BRAMWICK(1)</title>' # the manual, for Windows
        unzip -p "$package" "$top/bramwick.exe" | cmp - "$ROOT/build/windows-${top##*-}/bramwick.exe"
        ;;
    *)
        tarball "$package" | tar -xO --wildcards '*/bin/bramwick' | cmp - "$ROOT/build/$build/bramwick"
        members=$(for ids in '' --numeric-owner; do tarball "$package" | tar -tv $ids | awk '{ print $1, $2, $6 }'; done)
        markdown=$(tarball "$package" | tar -xO --wildcards '*.md') notices=$(tarball "$package" | tar -xO --wildcards '*/THIRD-PARTY-NOTICES')
        ;;&
    *.deb)
        files=("${tree[@]/#/./usr/}" ./usr/share/doc/bramwick/{changelog.gz,copyright} ./usr/share/lintian/overrides/bramwick)
        expect "$package: fields" "$(dpkg-deb -f "$package" Package Version Architecture Maintainer Section Multi-Arch Static-Built-Using | xargs -d '\n')" \
            "Package: bramwick Version: $VERSION Architecture: ${top##*_} Maintainer: The Bramwick authors <bramwick@example.org> Section: utils Multi-Arch: foreign Static-Built-Using: musl (= $(dpkg-query -W -f='${source:Version}' "musl-dev:${top##*_}"))"
        dpkg-deb -f "$package" Description | sed -n '1p;5p' | grep -c . | grep -qx 2 # a synopsis and a long description
        ;;
    *.tar.gz) files=("${tree[@]/#/$top/}" "$top"/share/doc/bramwick/{CHANGELOG.md,LICENSE}) ;;
    esac
    expect "$package" "$(awk '$1 !~ /^d/ { print $3 }' <<<"$members" | sort -u | xargs)" "$(printf '%s\n' "${files[@]}" | sort | xargs)"
    awk '!seen[$3]++ { print $3 }' <<<"$members" | LC_ALL=C sort -C || fail "$package: members out of order"
    ! awk '{ want = $1 ~ /^d/ ? "drwxr-xr-x" : $3 ~ /(bin\/bramwick|\.exe)$/ ? "-rwxr-xr-x" : "-rw-r--r--" }
        $2 !~ /^(root\/root|0\/0|-)$/ || $1 != want' <<<"$members" | grep . || fail "$package: another owner or mode above"
    [[ $package != *.zip ]] || ! zipinfo -v "$package" | grep 'UID/GID' || fail "$package: stores its builder's ids"
    # A notice for each Debian source package whose files the program's link took in, found anew in its map.
    expect "$package: notices" "$(grep -o '^== [^ ]* [^ ]*' <<<"$notices" | xargs)" \
        "$("$ROOT/packaging/notices" --sources "$ROOT/build/$build/bramwick.map" | awk '{ print "==", $1, $2 }' | xargs)"
    [ -n "$markdown" ] # the .deb lacks what the others hold beside the README, so no package may link to files
    ! grep -E '\]\([^):]+\)' <<<"$markdown" || fail "$package: the links above"
}

# Each package whose name ends in SUFFIX.
each() { for name in "${PACKAGES[@]}"; do [[ $name != *"$1" ]] || package "$name"; done; }
# lintian reads them all at once: its start-up is most of what it costs.
@test "each .deb, and lintian finds nothing to say of any" { each .deb && lintian --fail-on error,warning ./*.deb; }
@test "each .tar.gz" { each .tar.gz; }
@test "both zips" { each .zip; }
@test "the source archive is the last commit's tree; SHA256SUMS holds every file's; the SBOM is valid CycloneDX 1.5 and holds each package's" {
    expect "$SOURCE" "$(tar -tzf "$SOURCE" | grep -v '/$' | sort)" "$(git -C "$ROOT" ls-tree -r --name-only HEAD | sed "s|^|bramwick-$VERSION/|" | sort)"
    "$ROOT/scripts/validate-sbom" "$SBOM"
    expect "SHA256SUMS" "$(sha256sum -c SHA256SUMS | sort | xargs)" "$(printf '%s: OK\n' "${PACKAGES[@]}" "$SOURCE" "$SBOM" | sort | xargs)"
    expect "the SBOM's" "$(jq -r '.components[] | "\(.hashes[0].content)  \(.name)"' "$SBOM" | sha256sum -c | sort | xargs)" \
        "$(printf '%s: OK\n' "${PACKAGES[@]}" "$SOURCE" | sort | xargs)"
}

@test "a distributor's own build installs the program, unstripped, and the manual, with no option" {
    cmake -S "$ROOT" -B "$BATS_TEST_TMPDIR/build" -G Ninja -DCMAKE_BUILD_TYPE=None >/dev/null
    cmake --build "$BATS_TEST_TMPDIR/build" >/dev/null
    DESTDIR=$BATS_TEST_TMPDIR/root cmake --install "$BATS_TEST_TMPDIR/build" --prefix /usr >/dev/null
    expect "installed" "$(cd "$BATS_TEST_TMPDIR/root" && find . -type f | sort | xargs)" \
        "./usr/bin/bramwick ./usr/share/doc/bramwick/README.md ./usr/share/man/man1/bramwick.1.gz"
    readelf -S "$BATS_TEST_TMPDIR/root/usr/bin/bramwick" | grep -q "\.symtab" || fail "stripped"
}

@test "both executables: console programs with ASLR and DEP, needing only system DLLs, with manifest, version and icon, at most 20 KiB" {
    # DllCharacteristics: DYNAMIC_BASE and NX_COMPAT, and HIGH_ENTROPY_VA on x64.
    for build in 'x86 i686 (PE32) 00000140' 'x64 x86_64 (PE32+) 00000160'; do
        read -r architecture tools format characteristics <<<"$build" && exe=$ROOT/build/windows-$architecture/bramwick.exe
        resources=$("$tools-w64-mingw32-windres" -i "$exe" -O rc && "$tools-w64-mingw32-objdump" -p "$exe")
        for expected in '>UTF-8</activeCodePage>' 'level=""asInvoker""' '>true</longPathAware>' \
            '<supportedOS Id=""{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}""/>' "FILEVERSION ${VERSION//./, }, 0" \
            "VALUE \"FileVersion\", \"$VERSION\"" "VALUE \"ProductVersion\", \"$VERSION\"" 'VALUE "ProductName", "Bramwick"' \
            'VALUE "OriginalFilename", "bramwick.exe"' 'VALUE "FileDescription", "Bramwick: makes one new folder"' \
            'VALUE "LegalCopyright", "Copyright (c) 2026 The Bramwick authors"' '"ICON1" 14' \
            '"\040\040\020\000", 1, 4' "$format" '(Windows CUI)' "DllCharacteristics	$characteristics"; do
            grep -qF -- "$expected" <<<"$resources" || fail "$exe lacks: $expected"
        done
        grep -qE 'Entry 5 [0-9a-f]+ 0*[1-9a-f][0-9a-f]* Base Relocation Directory' <<<"$resources" # ASLR can move it
        # ADVAPI32 gives the stack protector its random canary.
        expect "DLLs" "$(grep -o 'DLL Name: .*' <<<"$resources" | xargs)" \
            "DLL Name: ADVAPI32.dll DLL Name: KERNEL32.dll DLL Name: msvcrt.dll"
        [ "$(stat -c %s "$exe")" -le 20480 ]
    done
}
