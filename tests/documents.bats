# Documents that cannot drift from the project: the package names the README tells users to install.
@test "every versioned file name in the README is of project()'s version" {
    names=$(grep -oE 'bramwick[-_][0-9]+\.[0-9]+\.[0-9]+' "$BATS_TEST_DIRNAME/../README.md")
    [ -n "$names" ]
    others=$(grep -v "^bramwick[-_]$VERSION\$" <<<"$names" || true)
    [ -z "$others" ] || { echo "of another version: $others" && return 1; }
}
