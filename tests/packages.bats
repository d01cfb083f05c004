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

# PACKAGE holds its build's program and just its files, sorted, owned by root, folders and programs 0755,
# others 0644, with the notices its program's map calls for; a .deb has its fields.
package() { # PACKAGE
    local package=$1 tree=(bin/bramwick share/doc/bramwick/{README.md,THIRD-PARTY-NOTICES} share/man/man1/bramwick.1.gz) top
    top=${package%.zip} && top=${top%.tar.gz} && top=${top%.deb} build=${BUILDS[$package]:-}
    case $package in # MODE OWNER NAME of each member: tar members twice, owners by name and by id; zips store none
    *.zip)
        members=$(zipinfo "$package" | sed '1,2d;$d' | awk '{ print $1, "-", $9 }')
        files=("$top"/{bramwick.exe,bramwick.html,README.md,LICENSE,CHANGELOG.md,THIRD-PARTY-NOTICES}) build=windows-${top##*-}
        notices=$(unzip -p "$package" "$top/THIRD-PARTY-NOTICES")
        unzip -p "$package" "$top/bramwick.html" | grep -q '<title>BRAMWICK(1)</title>' # the manual, for Windows
        unzip -p "$package" "$top/bramwick.exe" | cmp - "$ROOT/build/$build/bramwick.exe"
        ;;
    *)
        tarball "$package" | tar -xO --wildcards '*/bin/bramwick' | cmp - "$ROOT/build/$build/bramwick"
        members=$(for ids in '' --numeric-owner; do tarball "$package" | tar -tv $ids | awk '{ print $1, $2, $6 }'; done)
        notices=$(tarball "$package" | tar -xO --wildcards '*/THIRD-PARTY-NOTICES')
        ;;&
    *.deb)
        files=("${tree[@]/#/./usr/}" ./usr/share/doc/bramwick/{changelog.gz,copyright} ./usr/share/lintian/overrides/bramwick)
        expect "$package: fields" "$(dpkg-deb -f "$package" Package Version Architecture Maintainer Section Multi-Arch Static-Built-Using | xargs -d '\n')" \
            "Package: bramwick Version: $VERSION Architecture: ${top##*_} Maintainer: The Bramwick authors <bramwick@example.org> Section: utils Multi-Arch: foreign Static-Built-Using: musl (= $(dpkg-query -W -f='${source:Version}' "musl-dev:${top##*_}"))"
        ;;
    *.tar.gz) files=("${tree[@]/#/$top/}" "$top"/share/doc/bramwick/{CHANGELOG.md,LICENSE}) ;;
    esac
    expect "$package" "$(awk '$1 !~ /^d/ { print $3 }' <<<"$members" | sort -u | xargs)" "$(printf '%s\n' "${files[@]}" | sort | xargs)"
    awk '!seen[$3]++ { print $3 }' <<<"$members" | LC_ALL=C sort -C || fail "$package: members out of order"
    ! awk '{ want = $1 ~ /^d/ ? "drwxr-xr-x" : $3 ~ /(bin\/bramwick|\.exe)$/ ? "-rwxr-xr-x" : "-rw-r--r--" }
        $2 !~ /^(root\/root|0\/0|-)$/ || $1 != want' <<<"$members" | grep . || fail "$package: another owner or mode above"
    # A notice for each Debian source package whose files the program's link took in, found anew in its map.
    expect "$package: notices" "$(grep -o '^== [^ ]* [^ ]*' <<<"$notices" | xargs)" \
        "$("$ROOT/packaging/notices" --sources "$ROOT/build/$build/bramwick.map" | awk '{ print "==", $1, $2 }' | xargs)"
}

# lintian reads every .deb at once: its start-up is most of what it costs. Each package's checks run as
# commands of their own, where a failing one ends the test (not on the left of &&, where bash goes on).
@test "each package, and lintian finds nothing to say of a .deb" {
    for name in "${PACKAGES[@]}"; do package "$name"; done
    lintian --fail-on error,warning ./*.deb
}
@test "SHA256SUMS holds every file's, the source archive's too; the SBOM is valid CycloneDX 1.5 and holds each file's" {
    "$ROOT/scripts/validate-sbom" "$SBOM"
    expect "SHA256SUMS" "$(sha256sum -c SHA256SUMS | sort | xargs)" "$(printf '%s: OK\n' "${PACKAGES[@]}" "$SOURCE" "$SBOM" | sort | xargs)"
    expect "the SBOM's" "$(jq -r '.components[] | "\(.hashes[0].content)  \(.name)"' "$SBOM" | sha256sum -c | sort | xargs)" \
        "$(printf '%s: OK\n' "${PACKAGES[@]}" "$SOURCE" | sort | xargs)"
}

@test "a distributor's own build installs the program, unstripped, the manual and the licence, with no option" {
    cd "$BATS_TEST_TMPDIR" && cmake -S "$ROOT" -B b -G Ninja -DCMAKE_BUILD_TYPE=None >/dev/null && cmake --build b >/dev/null
    DESTDIR=$PWD/root cmake --install b --prefix /usr >/dev/null && readelf -S root/usr/bin/bramwick | grep -q "\.symtab"
    expect "installed" "$(find root -type f | sort | xargs)" "root/usr/bin/bramwick root/usr/share/doc/bramwick/LICENSE root/usr/share/doc/bramwick/README.md root/usr/share/man/man1/bramwick.1.gz"
}

@test "both executables: console programs with ASLR and DEP, needing only system DLLs, carrying the resources of resources/ with project()'s version, at most 20 KiB" {
    read -r major minor patch <<<"${VERSION//./ }"
    # DllCharacteristics: DYNAMIC_BASE and NX_COMPAT, and HIGH_ENTROPY_VA on x64.
    for build in 'x86 i686 (PE32) 00000140' 'x64 x86_64 (PE32+) 00000160'; do
        read -r architecture tools format characteristics <<<"$build" && exe=$ROOT/build/windows-$architecture/bramwick.exe
        # The icon, one image of 32 by 32 in 16 colours, the manifest and the version resource, as resources/
        # makes them.
        resources=$("$tools-w64-mingw32-windres" -i "$exe" -O rc)
        grep -qF '"\040\040\020\000", 1, 4' <<<"$resources" || fail "$exe: the icon is not 32 by 32 in 16 colours"
        [ "$(grep -cE 'RT_GROUP_ICON|RT_MANIFEST|^1 VERSIONINFO' <<<"$resources")" = 3 ] || fail "$exe: a resource is missing"
        expect "$exe: resources" "$resources" "$(cd "$ROOT/resources" &&
            "$tools-w64-mingw32-windres" -DVERSION_MAJOR="$major" -DVERSION_MINOR="$minor" -DVERSION_PATCH="$patch" \
                -i Bramwick.rc -O rc | sed 's| \*/ MOVEABLE.*| */|')"
        headers=$("$tools-w64-mingw32-objdump" -p "$exe")
        for expected in "$format" '(Windows CUI)' "DllCharacteristics	$characteristics"; do
            grep -qF -- "$expected" <<<"$headers" || fail "$exe lacks: $expected"
        done
        grep -qE 'Entry 5 [0-9a-f]+ 0*[1-9a-f][0-9a-f]* Base Relocation Directory' <<<"$headers" # ASLR can move it
        # ADVAPI32 gives the stack protector its random canary.
        expect "DLLs" "$(grep -o 'DLL Name: .*' <<<"$headers" | xargs)" \
            "DLL Name: ADVAPI32.dll DLL Name: KERNEL32.dll DLL Name: msvcrt.dll"
        [ "$(stat -c %s "$exe")" -le 20480 ]
    done
}
