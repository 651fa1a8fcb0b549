#!/usr/bin/env bash
# Fails when a Windows executable imports anything but system DLLs, so the
# exe runs when copied alone onto a user's machine.
set -euo pipefail
status=0
for exe in "$@"; do
  dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p')
  for dll in $dlls; do
    case "${dll,,}" in
      kernel32.dll|user32.dll|gdi32.dll|comctl32.dll|imm32.dll|advapi32.dll|shell32.dll| \
      ole32.dll|msvcrt.dll|ucrtbase.dll|uxtheme.dll|comdlg32.dll|api-ms-win-*.dll) ;;
      *) echo "$exe imports a non-system DLL: $dll"; status=1 ;;
    esac
  done
  echo "$(basename "$exe"): imports $(echo $dlls | tr '\n' ' ')"
done
exit $status
