#!/usr/bin/env bash
# ./release packs the DLL and the user guide; the version block reads from Linux as built.
set -euo pipefail
cd "$(dirname "$0")/../.."
zip=$(./release | tail -1)
contents=$(unzip -Z1 "$zip")
[ "$contents" = $'Kirabo-0.0.0.5/\nKirabo-0.0.0.5/README.txt\nKirabo-0.0.0.5/Kirabo.auf' ] || { echo "$contents"; exit 1; }
unzip -p "$zip" Kirabo-0.0.0.5/Kirabo.auf | cmp - build/windows/Kirabo.auf
info=$(exiftool -s -FileVersionNumber -ProductVersionNumber -LanguageCode -CharacterSet -FileDescription \
  -InternalName -OriginalFileName -ProductName -Comments build/windows/Kirabo.auf)
echo "$info"
expected='FileVersionNumber               : 0.0.0.5
ProductVersionNumber            : 0.0.0.5
LanguageCode                    : Japanese
CharacterSet                    : Unicode
FileDescription                 : Kirabo.auf
InternalName                    : Kirabo
OriginalFileName                : Kirabo.DLL
ProductName                     : Kirabo AviUtlプラグイン
Comments                        : AviUtl キラボプラグイン'
[ "$info" = "$expected" ]
