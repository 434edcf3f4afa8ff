#!/usr/bin/env bash
# Builds the Debian package (Release, CPack) and checks it as a user of a clean Debian 12
# would meet it: its file list and dependencies, then an install with apt-get into a fresh
# Debian 12 chroot (made once with debootstrap from Debian's mirror and kept in
# build/package/), where a user who is not root runs kolvex-cli and starts kolvex under
# Xvfb, which must show its main window and put its first catalog into
# ~/.local/share/Kolvex/Archives/. Needs root and the network to Debian's mirror; it takes
# a few minutes, so CI runs the staged install check instead (tests/install/).
#   scripts/check-package.sh [--no-chroot]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
fail() { echo "FAIL: $*" >&2; exit 1; }
out=build/package
cmake -S . -B "$out/build" -DCMAKE_BUILD_TYPE=Release -DKOLVEX_TESTS=OFF -DKOLVEX_BENCH=OFF \
  ${CMAKE_CXX_COMPILER_LAUNCHER:+-DCMAKE_CXX_COMPILER_LAUNCHER=$CMAKE_CXX_COMPILER_LAUNCHER} >/dev/null
cmake --build "$out/build" -j"$(nproc)" >/dev/null
rm -f "$out"/build/kolvex_*.deb
(cd "$out/build" && cpack -G DEB >/dev/null)
deb=$(ls "$out"/build/kolvex_*.deb)
echo "package: $deb"

# --- What the package holds and asks for ---------------------------------------------------
info=$(dpkg-deb --info "$deb")
field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = kolvex ] || fail "package name"
[[ $(field Version) =~ ^[0-9]+\.[0-9]+ ]] || fail "version $(field Version)"
depends=$(field Depends)
for lib in libc6 libstdc++6 libblkid1 libqt6core6 libqt6gui6 libqt6widgets6 libqt6network6; do
  grep -q "\b$lib\b" <<<"$depends" || fail "Depends lacks $lib: $depends"
done
! grep -Eq 'libasan|libubsan|-dev\b' <<<"$depends" || fail "Depends names a build-only package"
contents=$(dpkg-deb --contents "$deb" | awk '{print $6}' | grep -v '/$' | sed 's|^\./||' | sort)
expected=$(printf '%s\n' usr/bin/kolvex usr/bin/kolvex-cli \
  usr/share/applications/org.example.kolvex.Kolvex.desktop \
  usr/share/bash-completion/completions/kolvex-cli \
  usr/share/doc/kolvex/{copyright,changelog.gz} \
  usr/share/icons/hicolor/{16x16,22x22,24x24,32x32,48x48,64x64,128x128,256x256}/apps/kolvex.png \
  usr/share/icons/hicolor/scalable/apps/kolvex.svg \
  usr/share/kolvex/{Default.cfg,IPack.ipk,Kolvex.html} \
  usr/share/kolvex/Languages/{English,German}.ini \
  usr/share/man/man1/{kolvex,kolvex-cli}.1.gz \
  usr/share/metainfo/org.example.kolvex.Kolvex.metainfo.xml | sort)
[ "$contents" = "$expected" ] ||
  fail "package contents differ:"$'\n'"$(diff <(echo "$expected") <(echo "$contents"))"
echo "$info" | sed -n '/Package:/,$p'
[ "${1:-}" = --no-chroot ] && { echo "package contents and fields: passed"; exit 0; }
[ "$(id -u)" -eq 0 ] || fail "the chroot check needs root (or pass --no-chroot)"

# --- A clean Debian 12 ---------------------------------------------------------------------
base=$out/bookworm-base
if [ ! -x "$base/usr/bin/apt-get" ]; then
  rm -rf "$base"
  debootstrap --variant=minbase bookworm "$base" http://deb.debian.org/debian >"$out/debootstrap.log"
fi
root=$(mktemp -d /tmp/kolvex-chroot.XXXXXX)
mounted=()
cleanup() {
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount -l "${mounted[i]}" 2>/dev/null || true; done
  rm -rf --one-file-system "$root"
}
trap cleanup EXIT
cp -a "$base/." "$root/"
# The root itself a mount point, so that the program sees a volume below / as it would on
# a real system (mount points outside a chroot are hidden from it).
mount --bind "$root" "$root"
mounted+=("$root")
for m in proc sys dev dev/pts; do
  mount --bind "/$m" "$root/$m"
  mounted+=("$root/$m")
done
cp /etc/resolv.conf "$root/etc/resolv.conf"
cp "$deb" "$root/tmp/"
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 \
              DEBIAN_FRONTEND=noninteractive "$@"; }

in_root apt-get update -qq
before=$(in_root dpkg-query -W -f='${Package}\n' | sort)
in_root apt-get install -y -qq --no-install-recommends "/tmp/$(basename "$deb")" >/dev/null
after=$(in_root dpkg-query -W -f='${Package}\n' | sort)
echo "apt-get pulled in $(comm -13 <(echo "$before") <(echo "$after") | wc -l) packages"
[ "$(in_root dpkg-query -W -f='${Status}' kolvex)" = "install ok installed" ] || fail "not installed"

# The tools of the check itself come after, so they cannot stand in for a dependency.
in_root apt-get install -y -qq --no-install-recommends xvfb xauth xdotool openbox imagemagick \
  >/dev/null
in_root useradd -m -s /bin/bash tester
as_tester() { chroot --userspec=tester:tester "$root" env -i HOME=/home/tester \
                PATH=/usr/bin:/bin LANG=C.UTF-8 "$@"; }
as_tester mkdir -p "/home/tester/Music/Disc 1/Live"
for f in a.mp3 b.mp3 Live/c.mp3 notes.txt; do
  as_tester sh -c 'echo data > "$1"' _ "/home/tester/Music/Disc 1/$f"
done
as_tester kolvex-cli --version | grep -qx 'Mode: installed' || fail "kolvex-cli --version"
as_tester kolvex-cli list >/dev/null || fail "kolvex-cli list on a fresh home"
status=0
as_tester kolvex-cli search '*.mp3' >/dev/null 2>&1 || status=$?
[ $status -eq 1 ] || fail "search without catalogs: status $status"  # 1: nothing found

shots=$out/shots
mkdir -p "$root/tmp/shots" "$shots"
chmod 777 "$root/tmp/shots"
cp tests/install/first_catalog.sh "$root/tmp/first_catalog.sh"
chroot --userspec=tester:tester "$root" env -i HOME=/home/tester PATH=/usr/bin:/bin \
  LANG=C.UTF-8 PREFIX=/usr SHOTS=/tmp/shots \
  xvfb-run -a -s "-screen 0 1280x900x24" bash /tmp/first_catalog.sh ||
  { cat "$root/home/tester/kolvex.log" >&2; fail "the desktop program under Xvfb"; }
cp "$root"/tmp/shots/*.png "$shots/" 2>/dev/null || true
catalogs=$(ls "$root/home/tester/.local/share/Kolvex/Archives/"*.qel | wc -l)
[ "$catalogs" -eq 1 ] || fail "$catalogs catalogs in ~/.local/share/Kolvex/Archives/"
as_tester kolvex-cli search '*.mp3' --for files | grep -c $'^file\t' | grep -qx 3 ||
  fail "kolvex-cli does not find the desktop program's catalog"
echo "package check: every check passed (screenshot in $shots/)"
