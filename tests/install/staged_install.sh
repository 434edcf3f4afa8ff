#!/usr/bin/env bash
# Installs a build into a staging folder (DESTDIR) as a package would, then meets it the way
# a user does: the desktop's validators check the menu entry and the AppStream file, the
# manual pages and the bash completion are read, and a user who is not root, with an
# empty home, runs the installed kolvex-cli (scan, list, search) and the installed desktop
# program under Xvfb. Everything they write must land below that home.
#   tests/install/staged_install.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
id=org.example.kolvex.Kolvex
fail() { echo "FAIL: $*" >&2; exit 1; }
# A command that fails without a check of its own still says where.
trap 'echo "FAIL: line $LINENO: $BASH_COMMAND" >&2' ERR

work=$(mktemp -d /tmp/kolvex-install.XXXXXX)
chmod 755 "$work"
trap 'rm -rf "$work"' EXIT

# --- Install ------------------------------------------------------------------------------
stage=$work/stage
DESTDIR=$stage cmake --install "$build" --prefix /usr >/dev/null
prefix=$stage/usr
expected=(
  bin/kolvex bin/kolvex-cli
  share/kolvex/IPack.ipk share/kolvex/Default.cfg share/kolvex/Kolvex.html
  share/kolvex/Languages/English.ini share/kolvex/Languages/German.ini
  share/applications/$id.desktop share/metainfo/$id.metainfo.xml
  share/icons/hicolor/scalable/apps/kolvex.svg
  share/man/man1/kolvex-cli.1.gz share/man/man1/kolvex.1.gz
  share/bash-completion/completions/kolvex-cli
  share/doc/kolvex/copyright share/doc/kolvex/changelog.gz
)
for size in 16 22 24 32 48 64 128 256; do
  expected+=("share/icons/hicolor/${size}x${size}/apps/kolvex.png")
done
for f in "${expected[@]}"; do [ -s "$prefix/$f" ] || fail "not installed: $f"; done
# Debian's changelog format: the package, its version, a signed-off line with the date.
zcat "$prefix/share/doc/kolvex/changelog.gz" | head -1 | grep -Eq '^kolvex \([^)]+\) unstable;' ||
  fail "the changelog does not start with the package and its version"
zcat "$prefix/share/doc/kolvex/changelog.gz" | grep -Eq '^ -- .+ <.+>  [A-Z][a-z]{2}, [0-9]{2} ' ||
  fail "the changelog has no sign-off line"
installed=$(cd "$prefix" && find . -type f | sed 's|^\./||' | sort)
[ "$(echo "$installed" | wc -l)" -eq ${#expected[@]} ] ||
  fail "unexpected files installed:"$'\n'"$(comm -23 <(echo "$installed") <(printf '%s\n' "${expected[@]}" | sort))"
# A PNG's width and height stand as 32-bit numbers from byte 16 on.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{print $3*256+$4 "x" $7*256+$8}'; }
for size in 16 22 24 32 48 64 128 256; do
  [ "$(png_size "$prefix/share/icons/hicolor/${size}x${size}/apps/kolvex.png")" = "${size}x${size}" ] ||
    fail "the ${size}px icon has another size"
done

# --- What the desktop reads ------------------------------------------------------------------
desktop-file-validate "$prefix/share/applications/$id.desktop" || fail "desktop entry"
grep -qx 'Exec="kolvex" %f' "$prefix/share/applications/$id.desktop" || fail "menu entry's Exec"
grep -qx 'Icon=kolvex' "$prefix/share/applications/$id.desktop" || fail "menu entry's Icon"
appstreamcli validate --no-net --explain "$prefix/share/metainfo/$id.metainfo.xml" ||
  fail "AppStream metadata"
for page in kolvex-cli kolvex; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$prefix/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "manual page $page: $warnings"
done
LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$prefix/share/man/man1/kolvex-cli.1.gz" 2>/dev/null |
  grep -Eq 'search +MASKLIST' || fail "the manual page lacks the search command"

# The completion, as bash calls it: COMP_WORDS and COMP_CWORD in, COMPREPLY out.
complete_line() {
  bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1))
           _kolvex_cli; printf "%s\n" "${COMPREPLY[@]}"' _ \
    "$prefix/share/bash-completion/completions/kolvex-cli" "$@"
}
[ "$(complete_line kolvex-cli se)" = search ] || fail "completion of a command"
[ "$(complete_line kolvex-cli scan /tmp --ar)" = --archives ] || fail "completion of an option"
[ "$(complete_line kolvex-cli search x --for cat)" = "$(printf 'catalogs\ncatalogs,dirs,files')" ] ||
  fail "completion of an option's value"
mkdir -p "$work/pick/folder"
[ "$(complete_line kolvex-cli scan "$work/pick/fo")" = "$work/pick/folder" ] ||
  fail "completion of a folder"

# --- A user who is not root, with an empty home ------------------------------------------
if [ "$(id -u)" -eq 0 ]; then
  uid=65534 gid=65534  # nobody
  as_user() { setpriv --reuid=$uid --regid=$gid --clear-groups -- "$@"; }
else
  uid=$(id -u) gid=$(id -g)
  as_user() { "$@"; }
fi
home=$work/home
mkdir -p "$home"
chown $uid:$gid "$home"
chmod 700 "$home"
user_env=(env -i HOME="$home" PATH=/usr/bin:/bin LANG=C.UTF-8
          ASAN_OPTIONS="${ASAN_OPTIONS:-}" UBSAN_OPTIONS="${UBSAN_OPTIONS:-}")
cli() { as_user "${user_env[@]}" "$prefix/bin/kolvex-cli" "$@"; }

as_user mkdir -p "$home/Music/Disc 1/Live"
for f in "a.mp3" "b.mp3" "Live/c.mp3" "notes.txt"; do
  as_user sh -c 'echo data > "$1"' _ "$home/Music/Disc 1/$f"
done
touch "$work/marker"
sleep 1

version=$(cli --version) || fail "kolvex-cli --version"
grep -qx "Mode: installed" <<<"$version" || fail "not in installed mode: $version"
grep -qx "Resources: $prefix/share/kolvex/" <<<"$version" || fail "resources: $version"
grep -qx "Catalogs: $home/.local/share/Kolvex/Archives/" <<<"$version" || fail "catalogs: $version"

scan=$(cli scan "$home/Music/Disc 1" --label Disc1 --yes 2>/dev/null) || fail "scan"
catalog=$(head -1 <<<"$scan")
case $catalog in "$home/.local/share/Kolvex/Archives/"*.qel) ;; *) fail "catalog at $catalog" ;; esac
[ -f "$catalog" ] || fail "no catalog at $catalog"
list=$(cli list) || fail "list"
grep -qF "$catalog" <<<"$list" || fail "list does not show $catalog: $list"
hits=$(cli search '*.mp3' --for files) || fail "search"
[ "$(grep -c $'^file\t' <<<"$hits")" -eq 3 ] || fail "search found: $hits"

# Commands that name their catalog make nothing in a home that has no Kolvex folder yet.
other=$work/other-home
mkdir -p "$other"
chown $uid:$gid "$other"
as_user env -i HOME="$other" PATH=/usr/bin:/bin LANG=C.UTF-8 ASAN_OPTIONS="${ASAN_OPTIONS:-}" \
  "$prefix/bin/kolvex-cli" update "$catalog" >/dev/null 2>&1 || fail "update"
as_user env -i HOME="$other" PATH=/usr/bin:/bin LANG=C.UTF-8 ASAN_OPTIONS="${ASAN_OPTIONS:-}" \
  "$prefix/bin/kolvex-cli" ls "$catalog" >/dev/null || fail "ls"
[ -z "$(ls -A "$other")" ] || fail "update or ls wrote into the home: $(ls -A "$other")"

# Nothing written beside the program or outside the home.
changed=$(find "$stage" -newer "$work/marker" | head -5)
[ -z "$changed" ] || fail "written into the installation: $changed"
if [ "$uid" = 65534 ]; then
  # Other tests make and remove folders there meanwhile, so find may meet vanished ones.
  stray=$({ find /tmp /var/tmp /dev/shm -xdev \( -path "$home" -o -path "$other" \) -prune -o \
                 -user $uid -newer "$work/marker" -print 2>/dev/null || true; } | head -5)
  [ -z "$stray" ] || fail "written outside the home: $stray"
fi
made=$(cd "$home" && find .local -type f | sort)
# The catalog, its search index in the hidden folder beside it, and the options.
[ "$made" = "$(printf '%s\n' .local/share/Kolvex/Archives/"$(basename "$catalog")" \
               .local/share/Kolvex/Archives/.kolvex-index/"$(basename "$catalog")".kxi \
               .local/share/Kolvex/Options.cfg | sort)" ] || fail "files in the home: $made"

# --- The desktop program, in a fresh home ---------------------------------------------------
gui_home=$work/gui-home
mkdir -p "$gui_home/runtime"
cp -r "$home/Music" "$gui_home/"
chown -R $uid:$gid "$gui_home"
chmod 700 "$gui_home" "$gui_home/runtime"
shots=$build/install-check
mkdir -p "$shots"
chmod 777 "$shots"
cp "$(dirname "$0")/first_catalog.sh" "$work/gui.sh"
# The user's session: a clean environment with only what a desktop session sets.
cat >"$work/gui-env.sh" <<'ENV'
exec env -i HOME="$1" PATH=/usr/bin:/bin LANG=C.UTF-8 DISPLAY="$DISPLAY" \
  XDG_RUNTIME_DIR="$1/runtime" PREFIX="$2" SHOTS="$3" ASAN_OPTIONS=detect_leaks=0 \
  bash "$(dirname "$0")/gui.sh"
ENV
drop=()
[ "$uid" = "$(id -u)" ] || drop=(setpriv --reuid=$uid --regid=$gid --clear-groups --)
touch "$work/marker"
sleep 1
if ! xvfb-run -a -s "-ac -screen 0 1280x900x24" "${drop[@]}" \
       bash "$work/gui-env.sh" "$gui_home" "$prefix" "$shots" >"$work/gui.out" 2>&1; then
  cat "$work/gui.out" "$gui_home/kolvex.log" >&2 2>/dev/null
  fail "the desktop program"
fi
gui_catalogs=$(ls "$gui_home/.local/share/Kolvex/Archives/"*.qel 2>/dev/null | wc -l)
[ "$gui_catalogs" -eq 1 ] || fail "the desktop program made $gui_catalogs catalogs"
[ -f "$gui_home/.local/share/Kolvex/Options.cfg" ] || fail "no Options.cfg for the desktop user"
probes=$(ls "$gui_home/.local/share/Kolvex/" | grep -c '^GETSHINFO' || true)
[ "$probes" -eq 0 ] || fail "the probe files stayed after the program ended"
changed=$(find "$stage" -newer "$work/marker" | head -5)
[ -z "$changed" ] || fail "the desktop program wrote into the installation: $changed"
echo "staged install: every check passed"
