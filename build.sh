#!/usr/bin/env bash
# Installs what is missing, builds, then starts the program (run), runs the
# tests headless (test), makes and checks the Debian package (package), or
# runs the start-up benchmark on a Release build (bench), or builds the
# fuzz targets with clang and runs each for FUZZ_SECONDS (fuzz).
# Debian 12, as root or through sudo.
set -euo pipefail
cd "$(dirname "$0")"

mode=${1:-run}
packages=(cmake make g++ qt6-base-dev qt6-qpa-plugins qt6-translations-l10n libgl-dev libfontconfig-dev
    libxlsxwriter-dev)
case "$mode" in
run) ;;
test) packages+=(python3-openpyxl) ;;
bench) packages+=(libx11-dev xvfb) ;;
package) packages+=(dpkg-dev desktop-file-utils appstream lintian) ;;
fuzz) packages+=(clang libclang-rt-14-dev) ;;
*)
    echo "usage: $0 run|test|package|bench|fuzz" >&2
    exit 2
    ;;
esac

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' \
        || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    if [ "$(id -u)" -eq 0 ]; then
        sudo=()
    elif command -v sudo >/dev/null 2>&1; then
        sudo=(sudo)
    else
        echo "Missing packages: ${missing[*]}" >&2
        echo "Install them as root (apt-get install ${missing[*]}), or run this as root." >&2
        exit 1
    fi
    # sudo drops the environment, so the variable goes after it; a held apt
    # lock (an unattended upgrade) is waited for.
    "${sudo[@]}" apt-get -o DPkg::Lock::Timeout=600 update
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get -o DPkg::Lock::Timeout=600 install -y "${missing[@]}"
fi

if [ "$mode" = bench ]; then
    cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release
    cmake --build build-release --parallel "$(nproc)" \
        --target pennaro form_only empty_window launch_bench bench_pennaro
    if [ -n "${DISPLAY:-}" ]; then
        exec bash bench/run.sh build-release
    fi
    exec xvfb-run -a -s "-screen 0 1280x800x24" bash bench/run.sh build-release
fi

if [ "$mode" = fuzz ]; then
    # The core and its fuzz targets only, with clang, sanitizers on; each
    # target runs from its own corpus folder, kept between runs.
    cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF \
        -DPENNARO_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ \
        -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all"
    targets=(number_text field_text revenue_file save_then_read taxpayer_file import_file quarterly settings)
    cmake --build build-fuzz --parallel "$(nproc)" --target "${targets[@]/#/fuzz_}"
    for target in "${targets[@]}"; do
        mkdir -p "build-fuzz/corpus/$target"
        echo "== fuzz_$target, ${FUZZ_SECONDS:-60} s"
        (cd build-fuzz && "./fuzz/fuzz_$target" -max_total_time="${FUZZ_SECONDS:-60}" \
            -max_len=4096 "corpus/$target")
    done
    exit 0
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
case "$mode" in
run)
    cmake --build build --parallel "$(nproc)" --target pennaro
    echo "The data files (adat.txt, adat2.txt, felad.imp) are kept in $(pwd)/build:" \
        "rm -rf build deletes them."
    exec ./build/pennaro
    ;;
test)
    cmake --build build --parallel "$(nproc)"
    cd build
    QT_QPA_PLATFORM=offscreen ctest --output-on-failure
    ;;
package)
    cmake --build build --parallel "$(nproc)" --target pennaro
    bash packaging/check.sh build
    ;;
esac
