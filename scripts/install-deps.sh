#!/usr/bin/env bash
# Installs the Debian packages the station needs to build, run and test, when missing.
set -euo pipefail
pacchetti=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-private-dev libqt6opengl6-dev
  qt6-multimedia-dev libxkbcommon-dev fonts-dejavu-core fonts-liberation2 qt6-translations-l10n socat libmodbus-dev xvfb xauth qcoro-qt6-dev)
mancanti=()
for p in "${pacchetti[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || mancanti+=("$p")
done
[ ${#mancanti[@]} -eq 0 ] && exit 0
echo "Installing: ${mancanti[*]}"
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${mancanti[@]}"
