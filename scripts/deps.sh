#!/usr/bin/env bash
# Installs what the program and its tests need from Debian's archive, when it
# is missing. Runs as root or through sudo.
set -euo pipefail
PKGS=(build-essential cmake pkg-config qt6-base-dev libsqlite3-dev libpq-dev unixodbc-dev unixodbc
      tdsodbc odbc-postgresql googletest libgtest-dev postgresql postgresql-contrib xvfb xauth
      clang libclang-rt-14-dev dpkg-dev python3 libmimalloc-dev)
missing=()
for p in "${PKGS[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
echo "Instalando: ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
