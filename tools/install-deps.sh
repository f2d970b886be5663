#!/usr/bin/env bash
# Installs everything the build, the demo and the tests need on Debian 12 / Ubuntu.
# Safe to run again: it only installs what is missing.
set -euo pipefail

packages=(cmake make g++ ninja-build googletest libgtest-dev libgmock-dev
          g++-mingw-w64-i686 binutils-mingw-w64-i686
          wine wine32:i386 wine64 xvfb xauth x11-utils imagemagick
          locales fonts-wqy-microhei python3
          clang-14 libclang-rt-14-dev clang-tidy-14 cppcheck)

need_sudo=""
[ "$(id -u)" = 0 ] || need_sudo="sudo"

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $need_sudo dpkg --add-architecture i386
  fi
  export DEBIAN_FRONTEND=noninteractive
  $need_sudo apt-get update -qq
  $need_sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null
fi

if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf8$'; then
  $need_sudo sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | $need_sudo tee -a /etc/locale.gen >/dev/null
  $need_sudo locale-gen >/dev/null
  # locale-gen can come back without having built it (seen on fresh machines): build it directly.
  locale -a 2>/dev/null | grep -qi '^zh_CN\.utf8$' || $need_sudo localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
fi
