#!/usr/bin/env bash
# Builds the Debian package from a built tree, checks its control fields and every file in it,
# starts the program from the unpacked package on a private X server and, when run as root,
# installs and purges the package for real and looks for anything left behind.
# Usage: check_deb_package.sh <source folder> <build folder> <version> <close_window tool>
set -euo pipefail
source_dir=$1
build=$2
version=$3
closer=$4

work=$(mktemp -d)
installed_here=""
cleanup() {
  if [ -n "$installed_here" ]; then
    apt-get -qq -o DPkg::Lock::Timeout=300 purge -y tessaloom >/dev/null 2>&1 || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT
# apt reads the package as its own unprivileged user.
chmod 755 "$work"

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

"$source_dir/scripts/packaging/deb" "$build" "$work/out" >/dev/null || {
  cat "$work/out/cpack.log" "$work/out/lintian.txt" 2>/dev/null
  echo "FAIL: the package could not be built, or lintian found errors in it"
  exit 1
}
deb=$work/out/tessaloom_${version}_amd64.deb
[ -f "$deb" ] || { echo "FAIL: no $(basename "$deb")"; ls "$work/out"; exit 1; }
(cd "$work/out" && sha256sum --check --quiet SHA256SUMS) || fail "SHA256SUMS does not match the package"

# Control fields: what Debian files the package under and what it needs.
field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = tessaloom ] || fail "Package is $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version is $(field Version)"
[ "$(field Architecture)" = amd64 ] || fail "Architecture is $(field Architecture)"
[ "$(field Section)" = games ] || fail "Section is $(field Section)"
[ "$(field Priority)" = optional ] || fail "Priority is $(field Priority)"
# Worked out from the program: its toolkit, the help file reader and the HEIF decoder, with their
# versions; the WebP plugin, which the program loads at run time, recommended.
for library in libqt6widgets6 libchm1 libheif1 libc6; do
  [[ "$(field Depends)" =~ (^|, )$library\ \(\>= ]] || fail "Depends lacks $library: $(field Depends)"
done
[[ "$(field Recommends)" =~ (^|, )qt6-image-formats-plugins(,|$) ]] || fail "Recommends lacks the WebP plugin: $(field Recommends)"

# Every file, and nothing else.
sizes=(16 22 24 32 48 64 128 256)
expected=(
  usr/games/tessaloom
  usr/lib/tessaloom/tessaloom
  "usr/lib/tessaloom/Help/Tessaloom Help.chm"
  usr/share/applications/tessaloom.desktop
  usr/share/metainfo/example.marrowquill.tessaloom.metainfo.xml
  usr/share/man/man6/tessaloom.6.gz
  usr/share/doc/tessaloom/copyright
  usr/share/doc/tessaloom/changelog.gz
)
for size in "${sizes[@]}"; do expected+=("usr/share/icons/hicolor/${size}x${size}/apps/tessaloom.png"); done
root=$work/root
dpkg-deb -x "$deb" "$root"
listed=$(cd "$root" && find . ! -type d | sed 's|^\./||' | sort)
wanted=$(printf '%s\n' "${expected[@]}" | sort)
[ "$listed" = "$wanted" ] || fail "the package holds other files than expected:
$(diff <(echo "$wanted") <(echo "$listed") || true)"

# The install manifest of a plain install lists the same files, the command's link included.
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
manifest=$(sed "s|^$prefix/|usr/|" "$build/install_manifest.txt" | sort)
[ "$manifest" = "$wanted" ] || fail "install_manifest.txt differs from the package:
$(diff <(echo "$wanted") <(echo "$manifest") || true)"

[ "$(readlink "$root/usr/games/tessaloom")" = ../lib/tessaloom/tessaloom ] ||
  fail "usr/games/tessaloom is not a relative link to the program"
if readelf --sections "$root/usr/lib/tessaloom/tessaloom" | grep -q '\.debug_info'; then
  fail "the program is not stripped"
fi
cmp -s "$root/usr/lib/tessaloom/Help/Tessaloom Help.chm" "$build/Help/Tessaloom Help.chm" ||
  fail "the help file is not the built one"
for size in "${sizes[@]}"; do
  icon=$root/usr/share/icons/hicolor/${size}x${size}/apps/tessaloom.png
  shape=$(identify -format '%m %wx%h' "$icon" 2>&1)
  [ "$shape" = "PNG ${size}x${size}" ] || fail "the ${size}-pixel icon is $shape"
done
desktop-file-validate "$root/usr/share/applications/tessaloom.desktop" || fail "desktop-file-validate"
# The whole tree, so the metainfo's menu entry must be there too.
appstreamcli validate-tree --no-net --no-color "$root" >"$work/appstream.txt" 2>&1 ||
  fail "appstreamcli validate-tree:
$(cat "$work/appstream.txt")"

# Compressed as Debian does (gzip -9n): no name or time stamp in the header, best compression.
for gz in usr/share/man/man6/tessaloom.6.gz usr/share/doc/tessaloom/changelog.gz; do
  header=$(od -An -tx1 -N10 "$root/$gz" | tr -d ' \n')
  [[ "$header" =~ ^1f8b08000000000002 ]] || fail "$gz is not compressed with gzip -9n (header $header)"
done
page=$root/usr/share/man/man6/tessaloom.6.gz
warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "the manual page has errors: $warnings"
lexgrog "$page" >/dev/null || fail "the manual page has no NAME section man's index can read"

# The unpacked program, started through its command, shows its game window.
"$source_dir/tests/e2e/start_play_close.sh" "$root/usr/games/tessaloom" "$closer" ||
  fail "the unpacked program did not come up and end as it should"

# Installed and purged for real where allowed; a tessaloom package already there is left alone.
if [ "$(id -u)" -ne 0 ]; then
  echo "SKIP: not root, so the package is not installed for real"
elif dpkg-query -W -f='${Status}' tessaloom 2>/dev/null | grep -q 'ok installed'; then
  echo "SKIP: a tessaloom package is installed already"
else
  installed_here=yes
  apt-get -qq -o DPkg::Lock::Timeout=300 install -y --no-install-recommends "$deb" >"$work/apt.log" 2>&1 ||
    { cat "$work/apt.log"; fail "apt-get install"; }
  [ "$(PATH=/usr/bin:/bin:/usr/games command -v tessaloom)" = /usr/games/tessaloom ] ||
    fail "tessaloom is not on the PATH after installing"
  [ "$(man -w 6 tessaloom 2>/dev/null)" = /usr/share/man/man6/tessaloom.6.gz ] || fail "man does not find the page"
  owned=$(dpkg-query -L tessaloom)
  for file in "${expected[@]}"; do
    grep -qxF "/$file" <<<"$owned" || fail "dpkg does not list /$file"
  done

  apt-get -qq -o DPkg::Lock::Timeout=300 purge -y tessaloom >"$work/apt.log" 2>&1 ||
    { cat "$work/apt.log"; fail "apt-get purge"; }
  installed_here=""
  status=$(dpkg-query -W -f='${Status}' tessaloom 2>/dev/null || true)
  if [ -n "$status" ] && [[ "$status" != *not-installed ]]; then fail "after the purge dpkg says: $status"; fi
  for file in "${expected[@]}" usr/lib/tessaloom usr/share/doc/tessaloom; do
    if [ -e "/$file" ] || [ -L "/$file" ]; then fail "/$file is left behind"; fi
  done
fi

if [ $failures -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "PASS: tessaloom_${version}_amd64.deb is complete, starts unpacked and installs and purges cleanly"
