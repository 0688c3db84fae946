#!/usr/bin/env bash
# The Debian package as a user meets it: built by scripts/package.sh (without the page),
# checked by lintian (errors fail), installed with apt-get, its programs, example, man page,
# desktop entry and completion used, then removed, leaving nothing of it behind. Root only
# (it installs into the system); part of scripts/test-all.sh.
set -euo pipefail
cd "$(dirname "$0")/../.."

fail() {
    echo "FAILED: $*" >&2
    exit 1
}

bash scripts/package.sh --deb-only
deb=$(ls build/package/ql730-sim_*.deb)
lintian --fail-on error "$deb"
files=$(dpkg-deb -c "$deb" | awk '{print substr($6, 2)}' | grep -v '/$')

DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "./$deb" >/dev/null
trap 'DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq ql730-sim >/dev/null 2>&1 || true' EXIT
version=$(sed -n 's/^project(ql730 VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[[ $(/usr/bin/ql730-headless --version) == "ql730-headless $version"* ]] ||
    fail "ql730-headless --version: $(/usr/bin/ql730-headless --version)"
work=$(mktemp -d)
(cd "$work" && /usr/bin/ql730-headless /usr/share/doc/ql730-sim/examples/town_and_country.txt) ||
    fail "the installed example script"
rm -rf "$work"
[[ $(man -w ql730-sim) == /usr/share/man/man1/ql730-sim.1.gz ]] || fail "man -w ql730-sim"
man ql730-headless 2>/dev/null | grep -q "EXIT STATUS" || fail "man ql730-headless has no EXIT STATUS"
desktop-file-validate /usr/share/applications/ql730-sim.desktop
complete_word() { # the completions of WORD after ql730-headless
    bash -c 'source /usr/share/bash-completion/bash_completion
    COMP_WORDS=(ql730-headless "$1"); COMP_CWORD=1; COMP_LINE="ql730-headless $1"
    COMP_POINT=${#COMP_LINE}; _completion_loader ql730-headless; _ql730 ql730-headless "$1"
    echo "${COMPREPLY[*]}"' complete "$1"
}
[[ $(complete_word --va) == "--variant" ]] || fail "ql730-headless --va<TAB> gave '$(complete_word --va)'"
[[ $(complete_word --jo) == "--jobs" ]] || fail "ql730-headless --jo<TAB> gave '$(complete_word --jo)'"

DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq ql730-sim >/dev/null
trap - EXIT
left=""
for f in $files; do
    [[ -e $f ]] && left+=" $f"
done
[[ -z $left ]] || fail "left after apt-get remove:$left"
! dpkg-query -W -f='${Status}' ql730-sim 2>/dev/null | grep -q "installed" ||
    fail "dpkg still lists ql730-sim as installed"
echo "package: built, lintian clean of errors, installed, used and removed"
