#!/usr/bin/env bash
# Installs the Debian 12 packages kestrun builds and tests with, when any is missing.
#   scripts/deps.sh [--bench]    --bench: also what bench/run.sh compares kestrun with, and the
#                                OCR engine with its Polish data for bench/ocr.py
set -euo pipefail
packages=(
    build-essential clang cmake pkg-config clang-format
    libcairo2-dev libpango1.0-dev fonts-liberation2 libturbojpeg0-dev libqpdf-dev libcups2-dev
    nlohmann-json3-dev libcli11-dev libgtest-dev libgmock-dev libbenchmark-dev
    poppler-utils qpdf python3-jsonschema cups cups-daemon printer-driver-cups-pdf
    qt6-base-dev xvfb xauth
    debhelper dpkg-dev lintian man-db
)
if [[ ${1:-} == --bench ]]; then
    packages+=(python3-reportlab python3-pil tesseract-ocr tesseract-ocr-pol)
fi
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
    echo "installing: ${missing[*]}" >&2
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
fi
