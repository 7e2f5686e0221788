#!/usr/bin/env bash
# Packs the build tree with CPack, checks what each package holds and depends on, and runs the
# tool from its unpacked package, as a notification host would, on data directories of its own.
# Usage: packages-test.sh BUILD_DIR
set -euo pipefail
shopt -s inherit_errexit
build=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "packages-test: $*" >&2
    exit 1
}

cpack --config "$build/CPackConfig.cmake" -B "$work/dist" >"$work/cpack.log" 2>&1 \
    || { cat "$work/cpack.log" >&2; fail "cpack failed"; }
tool_deb=$(echo "$work"/dist/vorela_*.deb)
editor_deb=$(echo "$work"/dist/vorela-editor_*.deb)
[ -f "$tool_deb" ] || fail "no vorela_*.deb in $(ls "$work/dist")"
[ -f "$editor_deb" ] || fail "no vorela-editor_*.deb in $(ls "$work/dist")"

# A host installs the tool without any graphical library; computed Depends name the shared
# libraries the programs link (libgit2 for the versions), plus ssh-keygen's package.
tool_depends=$(dpkg-deb -f "$tool_deb" Depends)
if grep -qiE 'qt6(gui|widgets)' <<<"$tool_depends"; then
    fail "the tool's package depends on a Qt GUI library: $tool_depends"
fi
for needed in openssh-client libgit2 libsqlite3; do
    grep -q "$needed" <<<"$tool_depends" || fail "the tool's Depends lack $needed: $tool_depends"
done
version=$(dpkg-deb -f "$tool_deb" Version)
editor_depends=$(dpkg-deb -f "$editor_deb" Depends)
grep -qF "vorela (= $version)" <<<"$editor_depends" \
    || fail "the editor's package does not depend on vorela $version: $editor_depends"
grep -q libqt6widgets <<<"$editor_depends" || fail "the editor's Depends lack Qt: $editor_depends"

tool_files=$(dpkg-deb -c "$tool_deb" | awk '{print $6}')
editor_files=$(dpkg-deb -c "$editor_deb" | awk '{print $6}')
for file in ./usr/bin/vorela ./usr/bin/vorela-sign ./lib/systemd/system/vorela-pull.timer \
    ./lib/systemd/system/vorela-pull.service ./etc/default/vorela-pull; do
    grep -qx "$file" <<<"$tool_files" || fail "the tool's package lacks $file"
done
grep -q vorela-editor <<<"$tool_files" && fail "the tool's package holds the editor"
for file in ./usr/bin/vorela-editor ./usr/share/applications/vorela-editor.desktop \
    ./usr/share/doc/vorela/help/index.html; do
    grep -qx "$file" <<<"$editor_files" || fail "the editor's package lacks $file"
done
# The administrator's settings survive an upgrade; nothing starts the timer but the administrator.
dpkg-deb --info "$tool_deb" conffiles | grep -qx /etc/default/vorela-pull \
    || fail "/etc/default/vorela-pull is no conffile"
dpkg-deb --info "$tool_deb" postinst >/dev/null 2>&1 && fail "the tool's package runs a postinst"

root="$work/root"
dpkg-deb -x "$tool_deb" "$root"
vorela() { env -u VORELA_DATA_DIR -u VORELA_REGISTRY "$root/usr/bin/vorela" "$@"; }
service_program=$(sed -n 's/^ExecStart=\([^ ]*\).*/\1/p' "$root/lib/systemd/system/vorela-pull.service")
[ -x "$root$service_program" ] || fail "vorela-pull.service starts $service_program, not in the package"

# A publishing workstation, a bare remote between, and a host that trusts the publisher's key.
ssh-keygen -q -t ed25519 -N '' -C publisher -f "$work/id_ed25519"
publisher="$work/publisher"
host="$work/host"
remote="$work/remote.git"
git init -q --bare "$remote"
vorela init "$publisher" >/dev/null
vorela --data-dir "$publisher" library save -m "Для узлов" >/dev/null
published=$(vorela --data-dir "$publisher" library publish "$remote" --key "$work/id_ed25519" | tail -n 1)
vorela init "$host" >/dev/null
echo "publisher $(cut -d' ' -f1,2 "$work/id_ed25519.pub")" >"$host/trusted-publishers"

# The host's step, as its timer runs it: the publisher's version travels through the remote.
vorela --data-dir "$host" library pull "$remote" --host test-host >/dev/null
taken=$published
hosts=$(vorela library hosts "$remote")
grep -qP "^test-host\t$published\t[^\t]+\tcurrent$" <<<"$hosts" || fail "library hosts printed: $hosts"

[ -n "$taken" ] && [ -n "$published" ] || fail "no version id printed"
newest=$(vorela --data-dir "$host" library log | head -n 1)
grep -qP "^[0-9a-f]{40}\t" <<<"$newest" || fail "library log printed: $newest"
[ "$(vorela --data-dir "$host" library diff "$taken")" = "no changes" ] \
    || fail "the host's library is not version $taken"
