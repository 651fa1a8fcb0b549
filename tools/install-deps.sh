#!/usr/bin/env bash
# Installs the Debian packages of the named lists that are not installed yet;
# does nothing (and needs no network) when all are there.
#   install-deps.sh [build] [release] [check]     (default: build)
# build: tools/debian-packages.txt, release: debian-packages-release.txt,
# check: debian-packages-check.txt.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
[ $# -gt 0 ] || set -- build
missing=()
for list in "$@"; do
  case "$list" in
    build) file=$here/debian-packages.txt ;;
    release|check) file=$here/debian-packages-$list.txt ;;
    *) echo "install-deps: unknown list '$list' (build, release, check)" >&2; exit 2 ;;
  esac
  while read -r pkg; do
    case "$pkg" in ''|'#'*) continue ;; esac
    status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$pkg")
  done <"$file"
done
if [ ${#missing[@]} -eq 0 ]; then
  echo "deps: all packages present ($*)"
  exit 0
fi
echo "deps: installing ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
