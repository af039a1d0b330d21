#!/usr/bin/env bash
# Checks the Windows installer's .gmsz association under Wine without the Windows
# build: the installer script is built around a stand-in program, installed silently
# for the current user, and the association read from the registry; then uninstalled,
# once with the association still the program's (it goes) and once after another
# program took .gmsz (it stays). Needs nsis, wine and xvfb (installed when missing).
#
#   tests/package/check-installer-association.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
fail() { echo "FAIL: $*" >&2; exit 1; }
pass() { echo "ok: $*"; }

missing=()
command -v makensis >/dev/null || missing+=(nsis)
command -v wine >/dev/null || missing+=(wine wine64)
command -v xvfb-run >/dev/null || missing+=(xvfb xauth)
if [ ${#missing[@]} -gt 0 ]; then
    sudo_cmd=()
    [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export WINEPREFIX=$work/prefix WINEDEBUG=-all
stage=$work/stage
mkdir -p "$stage"
echo "stand-in" > "$stage/gasmeter-sizing.exe"
cp /usr/share/nsis/Contrib/Graphics/Icons/modern-install.ico "$stage/gasmeter-sizing.ico"
printf 'Delete "$INSTDIR\\gasmeter-sizing.exe"\nDelete "$INSTDIR\\gasmeter-sizing.ico"\n' > "$work/uninstall.nsh"
makensis -V1 -DVERSION=0 -DSTAGE="$stage" -DUNINSTALL_LIST="$work/uninstall.nsh" \
    -DOUTFILE="$work/gasmeter-sizing-setup.exe" "$root/packaging/windows/installer.nsi"

target="Z:${work//\//\\}\\installed"
key='HKCU\Software\Classes\.gmsz'
install() { xvfb-run -a wine "Z:${work//\//\\}\\gasmeter-sizing-setup.exe" /S /CurrentUser "/D=$target" >/dev/null 2>&1 || true; }
uninstall() { xvfb-run -a wine "$target\\uninstall.exe" /S /CurrentUser "_?=$target" >/dev/null 2>&1 || true; }
query() { wine reg query "$1" /ve 2>/dev/null || true; }

install
query "$key" | grep -q 'GasMeterSizing.Project' || fail ".gmsz is not associated with the program"
query 'HKCU\Software\Classes\GasMeterSizing.Project\shell\open\command' | grep -q 'gasmeter-sizing.exe" "%1"' \
    || fail "the association does not open the file with the program"
pass "installed: .gmsz opens with the program"
uninstall
query "$key" | grep -q REG_SZ && fail "the uninstaller left .gmsz behind"
query "HKCU\\Software\\Classes\\GasMeterSizing.Project" | grep -q REG_SZ && fail "the uninstaller left the program's class behind"
pass "uninstalled: the association is gone"

install
wine reg add "$key" /ve /d Other.Program /f >/dev/null 2>&1
uninstall
query "$key" | grep -q 'Other.Program' || fail "the uninstaller removed another program's .gmsz"
pass "uninstalled after another program took .gmsz: that one stays"
