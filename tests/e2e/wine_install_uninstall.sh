#!/usr/bin/env bash
# Installs the Windows Installer package silently under Wine in a throwaway Wine prefix, checks
# the installed files against the zip's, the Start menu shortcut and the installed-programs entry,
# starts the program through its shortcut on a private X server, where its game window shows and
# F1 finds the help file, then uninstalls it silently and looks for anything left behind but the
# stored settings.
# Usage: wine_install_uninstall.sh <folder with the release files> <work folder> <version>
#                                  <maker's web address>
set -euo pipefail
source "$(dirname "$0")/on_xvfb.sh"
source "$(dirname "$0")/wine_program.sh"
packages=$(realpath "$1")
work=$(realpath -m "$2")
version=$3
address=$4
rm -rf "$work"
mkdir -p "$work"
msi=$(echo "$packages"/Tessaloom-*-windows-x64.msi)
zip=$(echo "$packages"/Tessaloom-*-windows-x64.zip)
[ -f "$msi" ] && [ -f "$zip" ] || fail "no installer and zip in $packages"
(cd "$packages" && sha256sum --check --quiet SHA256SUMS) || fail "SHA256SUMS does not match the release files"

wine_prefix "$work/prefix"
drive=$WINEPREFIX/drive_c
vendor_folder="$drive/Program Files/Marrowquill Software"
folder="$vendor_folder/Tessaloom"
# Windows puts it in the Start menu of all users, Wine in that of the user installing.
shortcuts() { find "$drive" -path '*/Start Menu/Programs/Tessaloom.lnk'; }
uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
products='HKLM\Software\Classes\Installer\Products'
settings='HKLM\Software\Marrowquill Software\Tessaloom'
query() { { wine reg query "$@" 2>/dev/null || true; } | tr -d '\r'; }
# registered <key> <value name>: the values ("Name  REG_SZ  text" lines) of the subkey of <key>
# whose <value name> is Tessaloom.
registered() {
  local sub values
  for sub in $(query "$1" | sed -n 's/^HKEY_.*\\//p'); do
    values=$(query "$1\\$sub")
    if grep -qx " *$2 *REG_SZ *Tessaloom" <<<"$values"; then
      echo "$values"
      return
    fi
  done
}
value() { sed -n "s/^ *$1 *REG_[A-Z_]* *//p" <<<"$2"; }

wine msiexec /i "$(winepath -w "$msi")" /qn >"$work/install.log" 2>&1 || fail "msiexec /i: $(cat "$work/install.log")"

# The files: exactly those of the zip, in the same folders.
in_zip=$(unzip -Z1 "$zip" | sed 's|^[^/]*/||' | sort)
installed_files=$(cd "$folder" 2>/dev/null && find . -type f | sed 's|^\./||' | sort)
[ "$in_zip" = "$installed_files" ] || fail "the installed files differ from the zip's:
$(diff <(echo "$in_zip") <(echo "$installed_files") || true)"
shortcut=$(shortcuts)
[ -f "$shortcut" ] || fail "no Start menu shortcut Tessaloom: $(find "$drive" -name '*.lnk')"
grep -qa 'tessaloom\.exe' "$shortcut" || fail "the shortcut does not start tessaloom.exe"
# The installed-programs entry, with the icon that Windows Installer keeps for it.
installed=$(registered "$uninstall" DisplayName)
[ -n "$installed" ] || fail "no installed-programs entry named Tessaloom"
[ "$(value Publisher "$installed")" = "Marrowquill Software" ] || fail "Publisher is '$(value Publisher "$installed")'"
[ "$(value DisplayVersion "$installed")" = "$version" ] || fail "DisplayVersion is '$(value DisplayVersion "$installed")'"
[ "$(value URLInfoAbout "$installed")" = "$address" ] || fail "URLInfoAbout is '$(value URLInfoAbout "$installed")'"
icon=$(value ProductIcon "$(registered "$products" ProductName)")
[ -n "$icon" ] && [ -f "$(winepath -u "$icon")" ] || fail "the entry's icon '$icon' is no file"

# Started as the Start menu starts it, which hands the program over to no one to wait for; the
# zip's test sees it end by its close box, here it ends with the help viewer.
wine start /unix "$shortcut" >"$work/program.log" 2>&1
wait_for_game_window
splash_goes
import -window "$window" "$work/game_window.png"
help_shows_on_f1
wineserver -k
wineserver --wait

# What the program stored is the user's, and stays.
wine reg add "$settings" /v FlipSpeed /t REG_DWORD /d 1500 /f >/dev/null 2>&1
wine msiexec /x "$(winepath -w "$msi")" /qn >"$work/uninstall.log" 2>&1 ||
  fail "msiexec /x: $(cat "$work/uninstall.log")"
[ ! -e "$vendor_folder" ] || fail "Program Files/Marrowquill Software is left behind: $(find "$vendor_folder" | head -n 5)"
[ -z "$(shortcuts)" ] || fail "the shortcut is left behind"
[ -z "$(registered "$uninstall" DisplayName)" ] || fail "the installed-programs entry is left behind"
query "$settings" /v FlipSpeed | grep -q REG_DWORD || fail "uninstalling removed the stored settings"
echo "PASS: the installer put the zip's files, a shortcut and an installed-programs entry in place, the program started from the shortcut and found its help, and uninstalling left only the stored settings"
