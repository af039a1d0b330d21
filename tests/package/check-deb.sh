#!/usr/bin/env bash
# Checks the Debian package end to end: its file list and dependencies, then
# installs it, starts the installed program headless for a few seconds, runs
# the batch program on the installed example and removes the package again.
#
#   tests/package/check-deb.sh [file.deb]
# Without a file it builds one first with scripts/package-deb.sh (into
# $GAS_PACKAGE_BUILD_DIR when set). Needs root or sudo for apt-get.
set -euo pipefail
root_dir=$(cd "$(dirname "$0")/../.." && pwd)
pkg=gasmeter-sizing

fail() { echo "FAIL: $*" >&2; exit 1; }
pass() { echo "ok: $*"; }

if [ $# -ge 1 ]; then
    deb=$1
else
    deb=$("$root_dir/scripts/package-deb.sh" ${GAS_PACKAGE_BUILD_DIR:+"$GAS_PACKAGE_BUILD_DIR"})
fi
[ -f "$deb" ] || fail "no package at '$deb'"
deb=$(realpath "$deb")
pass "package exists: $deb"

# The file list.
contents=$(dpkg-deb -c "$deb")
metainfo=usr/share/metainfo/com.example.gasmetersizing.metainfo.xml
for path in usr/bin/$pkg usr/bin/gasmeter-batch \
            usr/share/man/man1/gasmeter-batch.1 \
            usr/share/doc/$pkg/examples/points.csv \
            usr/share/doc/$pkg/examples/project.gmsz \
            usr/share/doc/$pkg/examples/price-list-fixed.csv \
            usr/share/mime/packages/$pkg.xml \
            $metainfo \
            usr/share/applications/$pkg.desktop \
            usr/share/icons/hicolor/scalable/apps/$pkg.svg; do
    grep -Eq "[[:space:]]\./$path\$" <<<"$contents" || fail "$path is not in the package"
    pass "lists $path"
done
for program in $pkg gasmeter-batch; do
    grep -Eq '^-rwxr-xr-x .*[[:space:]]\./usr/bin/'"$program"'$' <<<"$contents" \
        || fail "usr/bin/$program is not executable"
done

# The control fields.
depends=$(dpkg-deb -f "$deb" Depends)
grep -q 'libqt6widgets6' <<<"$depends" || fail "Depends lacks libqt6widgets6: $depends"
# The workbook library is loaded at run time, so the package must name it itself.
grep -q 'libxlsxwriter4' <<<"$depends" || fail "Depends lacks libxlsxwriter4: $depends"
# The batch program links libzip for its workbook input; dpkg-shlibdeps names it.
grep -q 'libzip4' <<<"$depends" || fail "Depends lacks libzip4: $depends"
pass "Depends: $depends"
[ "$(dpkg-deb -f "$deb" Package)" = "$pkg" ] || fail "wrong Package field"
[ -n "$(dpkg-deb -f "$deb" Maintainer)" ] || fail "no Maintainer field"
[ -n "$(dpkg-deb -f "$deb" Description)" ] || fail "no Description field"

# The desktop entry inside the package is valid and starts the installed program.
unpacked=$(mktemp -d)
installed_here=0
cleanup() {
    rm -rf "$unpacked"
    if [ "$installed_here" -eq 1 ]; then
        echo "removing $pkg"
        "${sudo_cmd[@]}" apt-get remove -y -qq "$pkg" >/dev/null || echo "could not remove $pkg" >&2
    fi
}
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
trap cleanup EXIT

dpkg-deb -x "$deb" "$unpacked"
desktop=$unpacked/usr/share/applications/$pkg.desktop
grep -qx "Exec=$pkg %f" "$desktop" || fail "desktop entry does not run $pkg with the file"
mime=application/x-gasmeter-sizing-project
grep -qx "MimeType=$mime;" "$desktop" || fail "desktop entry does not name $mime"
grep -q "<mime-type type=\"$mime\">" "$unpacked/usr/share/mime/packages/$pkg.xml" \
    && grep -q '<glob pattern="\*\.gmsz"/>' "$unpacked/usr/share/mime/packages/$pkg.xml" \
    || fail "the MIME type does not give $mime to *.gmsz"
pass "desktop entry and MIME type open *.gmsz"
grep -qx "Icon=$pkg" "$desktop" || fail "desktop entry does not name the icon $pkg"
if command -v desktop-file-validate >/dev/null 2>&1; then
    desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the desktop entry"
    pass "desktop entry validates"
else
    echo "skip: desktop-file-validate not installed (desktop-file-utils)"
fi

if command -v appstreamcli >/dev/null 2>&1; then
    appstreamcli validate --no-net "$unpacked/$metainfo" || fail "appstreamcli rejects the metainfo"
    pass "metainfo validates"
else
    echo "skip: appstreamcli not installed (appstream)"
fi

# Install, start, remove. A copy that was already installed is left installed.
if dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
    echo "note: $pkg was installed before the check; it stays installed afterwards"
else
    installed_here=1
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get install -y -qq "$deb" >/dev/null || fail "apt-get install failed"
dpkg-query -W -f='${Status}' "$pkg" | grep -q "install ok installed" || fail "$pkg is not installed"
pass "installed $(dpkg-query -W -f='${Version}' "$pkg")"

for path in /usr/bin/$pkg /usr/bin/gasmeter-batch /usr/share/man/man1/gasmeter-batch.1 \
            /$metainfo /usr/share/applications/$pkg.desktop /usr/share/mime/packages/$pkg.xml \
            /usr/share/icons/hicolor/scalable/apps/$pkg.svg; do
    [ -e "$path" ] || fail "$path missing after install"
done
missing_libs=$(ldd /usr/bin/$pkg /usr/bin/gasmeter-batch | grep 'not found' || true)
[ -z "$missing_libs" ] || fail "unresolved libraries: $missing_libs"
pass "installed files present, every library resolves"

# The program runs until it is closed, so being stopped by timeout is success;
# any earlier exit (a crash, a failed start) is a failure.
set +e
(cd / && QT_QPA_PLATFORM=offscreen timeout 3 "/usr/bin/$pkg" </dev/null)
rc=$?
set -e
[ "$rc" -eq 124 ] || fail "$pkg ended on its own with status $rc before the timeout"
pass "$pkg started headless and ran until stopped"
set +e
(cd / && QT_QPA_PLATFORM=offscreen timeout 3 "/usr/bin/$pkg" /usr/share/doc/$pkg/examples/project.gmsz </dev/null)
rc=$?
set -e
[ "$rc" -eq 124 ] || fail "$pkg with the example project ended on its own with status $rc"
pass "$pkg opened the example project and ran until stopped"

# The batch program sizes the installed example: one point of it is refused
# on purpose (status 1), the others are written; the report needs no display.
set +e
(cd / && env -u DISPLAY -u QT_QPA_PLATFORM gasmeter-batch --format json \
    /usr/share/doc/$pkg/examples/points.csv >"$unpacked/points.json" 2>"$unpacked/points.err")
rc=$?
set -e
[ "$rc" -eq 1 ] || fail "gasmeter-batch on the example ended with status $rc: $(cat "$unpacked/points.err")"
grep -q '"status":"ok"' "$unpacked/points.json" || fail "gasmeter-batch wrote no sized point"
(cd / && env -u DISPLAY -u QT_QPA_PLATFORM gasmeter-batch -o "$unpacked/points.pdf" \
    /usr/share/doc/$pkg/examples/points.csv 2>/dev/null) || [ $? -eq 1 ] || fail "gasmeter-batch -o points.pdf failed"
[ "$(head -c 5 "$unpacked/points.pdf")" = "%PDF-" ] || fail "gasmeter-batch wrote no PDF"
# The workbook library is loaded when the first workbook is written.
(cd / && gasmeter-batch -o "$unpacked/points.xlsx" /usr/share/doc/$pkg/examples/points.csv 2>/dev/null) \
    || [ $? -eq 1 ] || fail "gasmeter-batch -o points.xlsx failed"
[ "$(head -c 2 "$unpacked/points.xlsx")" = "PK" ] || fail "gasmeter-batch wrote no workbook"
pass "gasmeter-batch sized the example (JSON, PDF and xlsx)"
set +e
(cd / && gasmeter-batch /usr/share/doc/$pkg/examples/project.gmsz >"$unpacked/project.csv" 2>"$unpacked/project.err")
rc=$?
set -e
[ "$rc" -le 1 ] && [ "$(head -c 8 "$unpacked/project.csv")" = "id;line;" ] \
    || fail "gasmeter-batch on the example project ended with status $rc: $(cat "$unpacked/project.err")"
pass "gasmeter-batch sized the example project"

if [ "$installed_here" -eq 1 ]; then
    "${sudo_cmd[@]}" apt-get remove -y -qq "$pkg" >/dev/null || fail "apt-get remove failed"
    installed_here=0
    ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" \
        || fail "$pkg still installed after removal"
    [ ! -e /usr/bin/$pkg ] || fail "/usr/bin/$pkg left behind after removal"
    [ ! -e /usr/bin/gasmeter-batch ] || fail "/usr/bin/gasmeter-batch left behind after removal"
    pass "removed again"
fi
echo "PASS: package check"
