# SPDX-FileCopyrightText: 2026 The Bramwick authors
# SPDX-License-Identifier: MIT
# Documents that cannot drift from the project: the packages the README tells users to install are of
# project()'s version, its install table names every row of cmake/linux-targets, and the report it shows
# names the line of the check.
load helpers

@test "the README's package names, architectures and report" {
    # The install table's rows: each architecture in the .deb's, each machine in the .tar.gz's.
    local debs tarballs
    debs=$(grep '^| .bramwick_[^|]*\.deb. |' "$ROOT/README.md") tarballs=$(grep '^| .bramwick-[^|]*-linux-[^|]*\.tar\.gz. |' "$ROOT/README.md")
    ! "$ROOT/scripts/linux-targets" | while read -r _ architecture machine _; do grep -qw -- "$architecture" <<<"$debs" && grep -qw -- "$machine" <<<"$tarballs" || echo "no $architecture ($machine)"; done | grep . || fail "rows the install table does not name, above"
    # A Markdown file that a package carries may link to no file: the .deb holds the README alone.
    ! grep -E '\]\([^):]+\)' "$ROOT/README.md" "$ROOT/CHANGELOG.md" || fail "the links above"
    expect "versioned names" "$(grep -oE 'bramwick[-_][0-9]+\.[0-9]+\.[0-9]+' "$ROOT/README.md" | sort -u | xargs)" \
        "bramwick-$VERSION bramwick_$VERSION"
    expect "the report" "$(grep -o 'file src/Bramwick.cpp, line [0-9]*' "$ROOT/README.md")" "file src/Bramwick.cpp, line $LINE"
}
