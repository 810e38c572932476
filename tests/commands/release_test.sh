#!/usr/bin/env bash
# ./release, called from another folder, packs the DLL, the user guide and the licences; the guide
# is plain Shift-JIS text with CRLF, Japanese first; the version block reads from Linux as built.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
zip=$(cd /tmp && "$root/release" | tail -1)
cd "$root"
version=$(sed -n 's/^project(Kirabo VERSION \([0-9.]*\) .*/\1/p' CMakeLists.txt)
dir="Kirabo-$version"
contents=$(unzip -Z1 "$zip" | LC_ALL=C sort)
[ "$contents" = "$dir/"$'\n'"$dir/Kirabo.auf"$'\n'"$dir/LICENSE-Unicode.txt"$'\n'"$dir/LICENSE.txt"$'\n'"$dir/README.txt" ] ||
  { echo "$contents"; exit 1; }
unzip -p "$zip" "$dir/Kirabo.auf" | cmp - build/windows/Kirabo.auf
unzip -p "$zip" "$dir/LICENSE.txt" | grep -q '^MIT License'
unzip -p "$zip" "$dir/LICENSE-Unicode.txt" | grep -q 'UNICODE, INC. LICENSE AGREEMENT'
text=$(unzip -p "$zip" "$dir/README.txt")
[ "$(grep -c $'\r$' <<<"$text")" = "$(wc -l <<<"$text")" ] || { echo "README.txt: a line without CRLF"; exit 1; }
guide=$(iconv -f CP932 -t UTF-8 <<<"$text")
! grep -nE '\*\*|`|\]\(|^#' <<<"$guide" || { echo "README.txt: Markdown left"; exit 1; }
[ "$(grep -oE '^【(日本語|English)】' <<<"$guide")" = $'【日本語】\n【English】' ]
[ "$(head -1 <<<"$guide")" = "キラボ (Kirabo) $version"$'\r' ] || { echo "README.txt: title $(head -1 <<<"$guide")"; exit 1; }
grep -q 'キラボの表示' <<<"$guide"
info=$(exiftool -s -FileVersionNumber -ProductVersionNumber -LanguageCode -CharacterSet -FileDescription \
  -InternalName -OriginalFileName -ProductName -Comments build/windows/Kirabo.auf)
echo "$info"
expected="FileVersionNumber               : $version
ProductVersionNumber            : $version
"'LanguageCode                    : Japanese
CharacterSet                    : Unicode
FileDescription                 : Kirabo.auf
InternalName                    : Kirabo
OriginalFileName                : Kirabo.DLL
ProductName                     : Kirabo AviUtlプラグイン
Comments                        : AviUtl キラボプラグイン'
[ "$info" = "$expected" ]
# The README's check of the export table: one name, exactly GetFilterTable.
[ "$(i686-w64-mingw32-objdump -p build/windows/Kirabo.auf | sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' | sed '1d;/^$/d')" = $'\t[   0] GetFilterTable' ]
