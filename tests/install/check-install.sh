#!/usr/bin/env bash
# Installs the build in $1 into a temporary prefix and checks what a desktop reads from it:
# every file in its place, the menu entry, the AppStream metadata, the file type and the
# manual page valid, and one version throughout.
set -euo pipefail
build="$1"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

failed=0
fail() {
    echo "FAILED: $*" >&2
    failed=1
}

id=org.padrix.Calculator
for file in bin/padrix-calculator share/applications/$id.desktop \
    share/metainfo/$id.metainfo.xml share/mime/packages/$id.xml \
    share/man/man1/padrix-calculator.1.gz share/doc/padrix-calculator/copyright \
    share/doc/padrix-calculator/changelog.gz share/icons/hicolor/scalable/apps/$id.svg \
    share/icons/hicolor/48x48/apps/$id.png share/icons/hicolor/256x256/apps/$id.png; do
    [ -f "$prefix/$file" ] || fail "$file is not installed"
done

desktop-file-validate "$prefix/share/applications/$id.desktop" || fail "the menu entry"
grep -qx 'Exec=padrix-calculator %f' "$prefix/share/applications/$id.desktop" ||
    fail "the menu entry does not pass a file"
appstreamcli validate --no-net --pedantic "$prefix/share/metainfo/$id.metainfo.xml" >/dev/null ||
    fail "the AppStream metadata"

# The file type: both spellings of the extension, and the header line as its magic.
update-mime-database "$prefix/share/mime" 2>/dev/null || fail "the file type does not read"
grep -q 'application/x-padrix-calculation:\*\.Clc' "$prefix/share/mime/globs2" ||
    fail "no *.Clc glob"
grep -q 'application/x-padrix-calculation:\*\.clc' "$prefix/share/mime/globs2" ||
    fail "no *.clc glob"
grep -aq 'Padrix Calculator 6' "$prefix/share/mime/magic" || fail "no magic"

warnings="$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$prefix/share/man/man1/padrix-calculator.1.gz" 2>&1 >/dev/null)"
[ -z "$warnings" ] || fail "the manual page: $warnings"

# The command line starts without Qt Gui and Widgets; the window's module brings them.
ldd "$prefix/bin/padrix-calculator" | grep -q -E 'libQt6(Gui|Widgets)' &&
    fail "the program itself links Qt Gui or Widgets"
# The installed program finds its window's module in the library folder.
ls "$prefix"/lib*/padrix-calculator/libpadrix-window.so >/dev/null 2>&1 ||
    ls "$prefix"/lib/*/padrix-calculator/libpadrix-window.so >/dev/null 2>&1 ||
    fail "the window's module is not installed"
ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen \
    "$prefix/bin/padrix-calculator" --screenshot "$prefix/window.png" 2>/dev/null ||
    fail "the installed program shows no window"
[ -s "$prefix/window.png" ] || fail "the installed program shows no window"

version="$("$prefix/bin/padrix-calculator" --version)"
version="${version#Padrix Calculator }"
zgrep -q "\"Padrix Calculator $version\"" "$prefix/share/man/man1/padrix-calculator.1.gz" ||
    fail "the manual page is not of version $version"
zcat "$prefix/share/doc/padrix-calculator/changelog.gz" | head -1 |
    grep -q "^padrix-calculator ($version) " || fail "the changelog is not of version $version"
grep -q "<release version=\"$version\"" "$prefix/share/metainfo/$id.metainfo.xml" ||
    fail "the AppStream release is not $version"
exit "$failed"
