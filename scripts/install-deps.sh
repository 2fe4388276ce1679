#!/bin/bash
# Installs what the build, the tests and the editor under Wine need on Debian 12. Idempotent:
# does nothing when every package is already there.
set -e
packages=(
  cmake make g++ libgtest-dev            # host build and tests
  g++-mingw-w64-x86-64-posix             # Win32 modules
  wine64 xvfb xauth x11-utils x11-xserver-utils xdotool imagemagick fonts-ipafont-gothic locales
  kanjidic manpages-ja                   # sources of the character weights and benchmark text
  libb-keywords-perl w3c-sgml-lib tango-icon-theme   # sources of generated data and icons
  nkf aptitude-doc-ja                    # filter benchmark: a reference and Japanese HTML
  python3
  clang libclang-rt-14-dev               # sanitizer build and libFuzzer targets
  libpython3.11-testsuite                # sample images for the image-size tests
  opensp sgml-data libxml2-utils libsgml-dtdparse-perl python3-lxml base-passwd  # map sources and the checker's reference documents
)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
fi
# A generated ja_JP.UTF-8 locale keeps the shell quiet when LC_ALL selects it for Wine.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP.utf8$'; then
  if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
  $SUDO sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen >/dev/null
fi
