#!/bin/sh
# Installs what is missing, builds, and then starts the installer ("run"),
# runs every test ("test"), rolls the Ansible role out onto fake installations
# on this machine ("fleet"), cross-builds for Windows and runs every test
# under Wine ("windows"), cross-builds for 64-bit ARM Linux, runs every test
# under QEMU and makes its Debian package ("arm64"), fuzzes the database
# edit and runs every test under the sanitizers ("fuzz"), or builds the
# downloads twice and compares them ("reproduce"). Meant for a fresh Debian
# 12 machine. "packages" installs what every step needs at once and
# "toolkit" only builds Qt for Windows, so that .ci/run can build it while the
# native steps run.
set -eu

# lrelease and lupdate make and check the translations; the window's tests
# measure its texts in a font with Chinese and Japanese characters.
native_packages="build-essential cmake qtbase5-dev qtbase5-dev-tools qttools5-dev-tools clang lld
strace fonts-wqy-microhei locales python3-jsonschema"
windows_packages="build-essential cmake qtbase5-dev-tools qttools5-dev-tools qttranslations5-l10n clang lld xz-utils
g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
mingw-w64-common wine wine64 fonts-dejavu-core nsis wixl msitools faketime osslsigncode openssl
python3-jsonschema"
package_packages="dpkg-dev file lintian desktop-file-utils appstream python3-jsonschema"
# Debian's arm64 Qt beside the build machine's (multiarch); the native Qt
# configures the build machine's stand-ins, which the cross build's must equal.
arm64_packages="$native_packages g++-aarch64-linux-gnu qtbase5-dev:arm64 $package_packages"
fleet_packages="ansible"
# libFuzzer and the sanitizers' runtimes, and llvm-symbolizer for their reports.
fuzz_packages="libclang-rt-14-dev llvm"
reproduce_packages="git diffoscope-minimal"

sudo=""
[ "$(id -u)" = 0 ] || sudo=sudo

install_missing() {
    missing=""
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" \
            || missing="$missing $package"
    done
    [ -z "$missing" ] && return 0
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends $missing
}

source_dir=$(cd "$(dirname "$0")/.." && pwd)
cache_dir=${QN58_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/qn58-jlink-setup}

# One date for everything a build dates (rcc, the archives, the installers'
# file times, the bills of materials): the last commit's, unless one is given.
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH=$(git -C "$source_dir" log -1 --format=%ct 2>/dev/null) || unset SOURCE_DATE_EPOCH
fi
[ -z "${SOURCE_DATE_EPOCH:-}" ] || export SOURCE_DATE_EPOCH

# Writes a bill of materials (tools/sbom/make-sbom.py) for the build in
# $build_dir; the arguments say of what. Debian's python3 has jsonschema.
make_sbom() {
    version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build_dir/CPackConfig.cmake")
    /usr/bin/python3 "$source_dir/tools/sbom/make-sbom.py" --name qn58-jlink-setup \
        --version "$version" --commit "$(git -C "$source_dir" rev-parse HEAD)" "$@"
}

check_sbom() {
    /usr/bin/python3 "$source_dir/tests/checksbom.py" "$@"
}

# The tests run the console front end in the locales of its languages.
generate_locales() {
    for locale in de_DE ja_JP zh_CN; do
        locale -a | grep -qx "$locale.utf8" && continue
        $sudo sed -i -E "s/^# *($locale\.UTF-8 UTF-8)/\1/" /etc/locale.gen
        missing_locale=yes
    done
    [ -z "${missing_locale:-}" ] || $sudo locale-gen
}

# The arguments go to cmake.
build_native() {
    # shellcheck disable=SC2086 # the list is words
    install_missing $native_packages
    generate_locales
    cmake -S "$source_dir" -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
    cmake --build "$build_dir" -j "$(nproc)"
}

# A build with clang under the sanitizers; the arguments go to cmake.
build_checked() {
    # shellcheck disable=SC2086 # the lists are words
    install_missing $native_packages $fuzz_packages
    generate_locales
    CC=clang CXX=clang++ cmake -S "$source_dir" -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
}

# Runs the fuzzer for about a minute over a copy of the seeds. What it finds
# stays beside its log in $fuzz_run, and is printed.
run_fuzzer() {
    rm -rf "$fuzz_run"
    mkdir -p "$fuzz_run"
    cp -R "$source_dir/fuzz/corpus" "$fuzz_run/corpus"
    log="$fuzz_run/fuzz.log"
    # A hang counts as a finding; the bound only keeps it from eating the run.
    if "$build_dir/fuzz/qn58-fuzz-database" -max_total_time=60 -timeout=60 \
        -print_final_stats=1 -dict="$source_dir/fuzz/xml.dict" \
        -artifact_prefix="$fuzz_run/" "$fuzz_run/corpus" >"$log" 2>&1; then
        echo "fuzzer: no finding in $(sed -n 's/^stat::number_of_executed_units: *//p' "$log") inputs (log: $log)"
        sed -n 's/^inputs that reached each command/fuzzer: &/p' "$log"
        return 0
    fi
    tail -n 30 "$log"
    for finding in "$fuzz_run"/*; do
        case "$finding" in */corpus | */fuzz.log) continue ;; esac
        echo "fuzzer: the input $finding, in base64:"
        base64 -w 0 "$finding"
        echo
    done
    echo "fuzzer: the database edit failed on an input; see above and $log" >&2
    return 1
}

# Qt for Windows, built once (tools/windows/qt.sh); prints its folder.
windows_toolkit() {
    # shellcheck disable=SC2086 # the list is words
    install_missing $windows_packages >&2
    QN58_QT_CACHE="$cache_dir" "$source_dir/tools/windows/qt.sh"
}

# The arguments go to cmake.
build_windows() {
    qt_prefix=$(windows_toolkit)
    # CMake keeps the Qt it found first (Qt5_DIR): a build made against an
    # earlier toolkit starts afresh.
    grep -qsx "CMAKE_PREFIX_PATH:UNINITIALIZED=$qt_prefix" "$build_dir/CMakeCache.txt" \
        || rm -rf "$build_dir"
    cmake -S "$source_dir" -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_TOOLCHAIN_FILE="$source_dir/tools/windows/mingw64.cmake" \
        -DCMAKE_PREFIX_PATH="$qt_prefix" "$@"
    cmake --build "$build_dir" -j "$(nproc)"

    # The programs with Qt's DLLs and plugins, the runtime DLLs and the
    # licences, stripped (app/windows/distribution.cmake); the same in a zip,
    # a single program and an MSI named after the project's version. Signed
    # when a certificate is given, the programs before they are packed, and
    # listed in the bill of materials among the licences. The installers
    # keep the files' times: all take the build's one date.
    rm -rf "$build_dir/dist" "$build_dir"/*-windows-x64.*
    # The archives keep the modes that files and folders are made with.
    umask 022
    cmake --install "$build_dir" --prefix "$build_dir/dist"
    sign_windows "$build_dir/dist/qn58-jlink-setup.exe" "$build_dir/dist/qn58-jlink-setup-cli.exe"
    windows_sbom --output "$build_dir/dist/licenses/qn58-jlink-setup.cdx.json"
    if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
        find "$build_dir/dist" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
    fi
    # A zip's DOS times are local times: those of UTC, for every builder.
    (cd "$build_dir" && TZ=UTC cpack -G ZIP)
    cmake --build "$build_dir" --target qn58-single-file qn58-msi
    sign_windows "$build_dir"/*-windows-x64.exe "$build_dir"/*-windows-x64.msi
    for download in "$build_dir"/*-windows-x64.zip "$build_dir"/*-windows-x64.exe \
        "$build_dir"/*-windows-x64.msi; do
        windows_sbom --artifact "$download"
        check_sbom "$download.cdx.json" --artifact "$download" --dist "$build_dir/dist"
    done
}

# A bill of materials of dist/ (make_sbom), from the toolkit's notice and
# Qt's attributions, and the runtime packages the build took its files from.
windows_sbom() {
    make_sbom --windows-dist "$build_dir/dist" \
        --gcc-runtime-version "$(dpkg-query -W -f='${Version}' gcc-mingw-w64-x86-64-posix-runtime)" \
        --mingw-w64-version "$(dpkg-query -W -f='${Version}' mingw-w64-x86-64-dev)" \
        --qttranslations-version "$(dpkg-query -W -f='${Version}' qttranslations5-l10n)" \
        --qt-attributions "$qt_prefix/attributions" "$@"
}

# With both QN58_SIGN_PKCS12 and QN58_SIGN_PASSWORD set (the password may be
# empty), signs the files (tools/windows/sign.sh), or with
# QN58_SIGNATURES_FROM gives them the signatures of the downloads there;
# with none, leaves them.
sign_windows() {
    if [ -n "${QN58_SIGNATURES_FROM:-}" ]; then
        "$source_dir/tools/windows/sign.sh" "$@"
        return
    fi
    if [ -z "${QN58_SIGN_PKCS12:-}" ] && [ -z "${QN58_SIGN_PASSWORD+set}" ]; then
        return 0
    fi
    if [ -z "${QN58_SIGN_PKCS12:-}" ] || [ -z "${QN58_SIGN_PASSWORD+set}" ]; then
        echo "To sign, set both QN58_SIGN_PKCS12 and QN58_SIGN_PASSWORD" >&2
        return 1
    fi
    "$source_dir/tools/windows/sign.sh" "$@"
}

# Runs ctest under a Wine prefix of our own, kept beside the cached toolkit.
test_windows() {
    export WINEPREFIX="$cache_dir/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    # Wine names files in the locale's encoding: without UTF-8 (no LANG, as
    # on a bare CI machine) it cannot make a file named in other letters.
    [ "$(locale charmap 2>/dev/null)" = UTF-8 ] || export LC_ALL=C.UTF-8
    [ -d "$WINEPREFIX" ] || wineboot --init >/dev/null 2>&1
    # The single program's test shows the real window: Wine's display driver
    # "null" gives it a desktop without X, and keeps every window off the screen.
    wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
    wineserver --wait
    # Wine's server and its services, when the first test starts them, keep
    # that test's output open, and ctest would wait for them.
    wineserver --persistent >/dev/null 2>&1 &
    wine cmd /c exit </dev/null >/dev/null 2>&1
    status=0
    (cd "$build_dir" && ctest --output-on-failure -j "$(nproc)") || status=$?
    wineserver --kill
    return $status
}

# Makes the Debian package in $build_dir with its bill of materials inside
# and beside it, then checks it as Debian does: lintian on the package, the
# desktop entry and AppStream metadata as it installs them.
make_package() {
    rm -f "$build_dir"/*.deb "$build_dir"/*.deb.cdx.json
    # Twice: the packages that the bill inside names are the first package's
    # dependencies, which dpkg-shlibdeps finds as CPack makes it.
    bill="$build_dir/packaging/qn58-jlink-setup.cdx.json"
    rm -f "$bill"
    # CPack keeps the modes of the files it makes in the package's ar archive.
    umask 022
    (cd "$build_dir" && cpack -G DEB)
    make_sbom --deb "$(echo "$build_dir"/*.deb)" --output "$bill"
    rm "$build_dir"/*.deb
    (cd "$build_dir" && cpack -G DEB)
    package=$(echo "$build_dir"/*.deb)
    make_sbom --deb "$package" --artifact "$package"
    check_sbom "$package.cdx.json" --artifact "$package"
    lintian --fail-on error --display-info "$package"
    # Kept for a look after a failure.
    installed="$build_dir/package-contents"
    rm -rf "$installed"
    dpkg-deb -x "$package" "$installed"
    desktop-file-validate "$installed"/usr/share/applications/*.desktop
    appstreamcli validate --no-net "$installed"/usr/share/metainfo/*.metainfo.xml
    appstreamcli validate-tree --no-net "$installed"
    echo "$package: lintian, desktop-file-validate and appstreamcli passed"
}

build_package() {
    # shellcheck disable=SC2086 # the list is words
    install_missing $package_packages
    build_native
    make_package
}

# The arm64 architecture for dpkg, and QEMU from bookworm-backports: Debian
# 12's QEMU 7.2 refuses the clone with a process descriptor (CLONE_PIDFD)
# by which Qt starts a program, and the tests start programs.
arm64_packages_install() {
    dpkg --print-foreign-architectures | grep -qx arm64 || $sudo dpkg --add-architecture arm64
    # shellcheck disable=SC2086 # the list is words
    install_missing $arm64_packages
    qemu_version=$(dpkg-query -W -f='${Version}' qemu-user 2>/dev/null || true)
    dpkg --compare-versions "$qemu_version" ge 1:10 && return 0
    $sudo tee /etc/apt/sources.list.d/qn58-debian-backports.sources >/dev/null <<SOURCES
Types: deb
URIs: http://deb.debian.org/debian
Suites: bookworm-backports
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends \
        qemu-user/bookworm-backports
}

# Cross-builds into build-arm64/ with Debian's cross compiler and arm64 Qt
# (tools/arm64/aarch64-linux-gnu.cmake), after the build machine's own
# stand-in loaders, which its tests compare with its own.
# The arguments go to cmake.
build_arm64() {
    arm64_packages_install
    generate_locales
    native="$build_dir/native-standins"
    cmake -S "$source_dir" -B "$native" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF
    cmake --build "$native" --target qn58-standins -j "$(nproc)"
    cmake -S "$source_dir" -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_TOOLCHAIN_FILE="$source_dir/tools/arm64/aarch64-linux-gnu.cmake" \
        -DQN58_NATIVE_STANDIN_DIR="$native/resources/FLMFile" "$@"
    cmake --build "$build_dir" -j "$(nproc)"
}

# Builds the downloads of the last commit ("deb", "windows", "arm64"; the
# first two when none is named) twice, in clean clones at two paths, under another umask,
# time zone and locale, and compares them and their bills of materials byte
# for byte; where they differ, diffoscope shows how. The clones stay for a
# look after a failure.
reproduce() {
    # shellcheck disable=SC2086 # the list is words
    install_missing $reproduce_packages
    generate_locales
    commit=$(git -C "$source_dir" rev-parse HEAD)
    git -C "$source_dir" diff --quiet HEAD \
        || echo "reproduce: builds the commit $commit; the changes not committed stay out"
    work=$(mktemp -d "${TMPDIR:-/tmp}/qn58-reproduce.XXXXXX")
    first="$work/first"
    second="$work/second/at a longer path"
    for clone in "$first" "$second"; do
        git clone -q "$source_dir" "$clone"
        git -C "$clone" checkout -q --detach "$commit"
    done
    for kind in ${*:-deb windows}; do
        echo "reproduce: building the $kind downloads twice"
        (umask 022; TZ=UTC LC_ALL=C.UTF-8 sh "$first/tools/bootstrap.sh" release "$kind") \
            >"$work/first-$kind.log" 2>&1 || { tail -n 40 "$work/first-$kind.log"; return 1; }
        # A time zone that needs no tzdata: UTC+14.
        (umask 002; TZ=LINT-14 LC_ALL=de_DE.UTF-8 sh "$second/tools/bootstrap.sh" release "$kind") \
            >"$work/second-$kind.log" 2>&1 || { tail -n 40 "$work/second-$kind.log"; return 1; }
    done
    differ=0
    for made in "$first"/build-release*/qn58-jlink-setup[_-][0-9]*; do
        name=${made#"$first"/}
        if cmp -s "$made" "$second/$name"; then
            echo "reproducible: $name ($(sha256sum <"$made" | cut -c 1-64))"
            continue
        fi
        differ=1
        report="$work/$(basename "$name").diffoscope.txt"
        diffoscope --no-progress --text "$report" "$made" "$second/$name" || true
        echo "NOT reproducible: $name; diffoscope ($report):"
        head -n 100 "$report"
    done
    if [ "$differ" = 1 ]; then
        echo "reproduce: the builds differ; both are in $work" >&2
        return 1
    fi
    rm -rf "$work"
}

# One run of the example playbook on this machine; fails unless it reports
# $1 changed tasks. The remaining arguments go to ansible-playbook.
play() {
    expected=$1
    shift
    log="$fleet_dir/play.log"
    ANSIBLE_PYTHON_INTERPRETER=auto_silent HOME="$fleet_dir/home" \
        ansible-playbook -i localhost, -c local "$source_dir/fleet/ansible/site.yml" \
        -e qn58_setup_cli="$build_dir/app/qn58-jlink-setup-cli" \
        -e qn58_setup_search_in="$fleet_dir/SEGGER" "$@" >"$log" || { cat "$log"; return 1; }
    changed=$(sed -n 's/^localhost *:.* changed=\([0-9]*\).*/\1/p' "$log")
    echo "playbook ${*:-(defaults)}: $(grep -A1 '^PLAY RECAP' "$log" | tail -1)"
    [ "$changed" = "$expected" ] || { cat "$log"; echo "expected changed=$expected" >&2; return 1; }
}

# Installations holding an empty JLinkExe, and a home of their own for the per-user folder.
test_fleet() {
    fleet_dir=$(mktemp -d)
    trap 'rm -rf "$fleet_dir"' EXIT
    for name in JLink_V794 JLink_V810; do
        mkdir -p "$fleet_dir/SEGGER/$name"
        : >"$fleet_dir/SEGGER/$name/JLinkExe"
    done
    mkdir "$fleet_dir/home"
    cli="$build_dir/app/qn58-jlink-setup-cli"
    play 1
    play 0
    play 1 --check -e qn58_setup_state=absent
    "$cli" status --all --search-in "$fleet_dir/SEGGER" >/dev/null
    play 1 -e qn58_setup_state=absent
    play 0 -e qn58_setup_state=absent
    play 1 -e qn58_setup_targets=user
    HOME="$fleet_dir/home" "$cli" status --user >/dev/null
    play 1 -e "{\"qn58_setup_targets\": [\"$fleet_dir/SEGGER/JLink_V794\"]}"
    play 0 -e "{\"qn58_setup_targets\": [\"$fleet_dir/SEGGER/JLink_V794\"]}"
    # A failure fails the play with the front end's own line.
    missing="{\"qn58_setup_targets\": [\"$fleet_dir/none\"]}"
    if play 0 -e "$missing" >/dev/null; then
        echo "a folder that does not exist did not fail the play" >&2
        return 1
    fi
    grep -q "FAILED.*$fleet_dir/none: does not exist" "$fleet_dir/play.log" \
        || { cat "$fleet_dir/play.log"; return 1; }
    echo "playbook on a folder that does not exist: failed with its line, as it should"
}

case "${1:-}" in
run)
    build_dir="$source_dir/build"
    build_native
    exec "$build_dir/app/qn58-jlink-setup"
    ;;
test)
    build_dir="$source_dir/build"
    build_native
    cd "$build_dir"
    QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"
    ;;
fleet)
    build_dir="$source_dir/build"
    install_missing $fleet_packages
    build_native
    test_fleet
    ;;
windows)
    build_dir="$source_dir/build-windows"
    build_windows
    test_windows
    ;;
package)
    build_dir="$source_dir/build"
    build_package
    ;;
arm64)
    build_dir="$source_dir/build-arm64"
    build_arm64
    # CTest runs the programs under QEMU (the toolchain file's emulator).
    (cd "$build_dir" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)")
    make_package
    ;;
fuzz)
    build_dir="$source_dir/build-fuzz"
    fuzz_run="$build_dir/run"
    build_checked -DQN58_FUZZ=ON -DBUILD_TESTING=OFF
    cmake --build "$build_dir" -j "$(nproc)" --target qn58-fuzz-database
    fuzz_status=0
    run_fuzzer || fuzz_status=1
    # A finding fails the step, but only after every test has had its run too.
    build_dir="$source_dir/build-asan"
    build_checked -DQN58_SANITIZE=ON
    cmake --build "$build_dir" -j "$(nproc)"
    (cd "$build_dir" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)")
    if [ "$fuzz_status" != 0 ]; then
        echo "fuzz: every test passed under the sanitizers, but the fuzzer found an input the database edit fails on (in $fuzz_run)" >&2
        exit 1
    fi
    ;;
release)
    # The downloads alone, without the tests: "deb" the Debian package,
    # "windows" the zip, the single program and the MSI, "arm64" the arm64
    # Debian package.
    case "${2:-}" in
    deb)
        build_dir="$source_dir/build-release"
        # shellcheck disable=SC2086 # the list is words
        install_missing $package_packages
        build_native -DBUILD_TESTING=OFF
        make_package
        ;;
    windows)
        build_dir="$source_dir/build-release-windows"
        build_windows -DBUILD_TESTING=OFF
        ;;
    arm64)
        build_dir="$source_dir/build-release-arm64"
        build_arm64 -DBUILD_TESTING=OFF
        make_package
        ;;
    *)
        echo "usage: $0 release deb|windows|arm64" >&2
        exit 2
        ;;
    esac
    ;;
reproduce)
    shift
    reproduce "$@"
    ;;
packages)
    # shellcheck disable=SC2086 # the lists are words
    install_missing $native_packages $windows_packages $package_packages $fleet_packages \
        $fuzz_packages $reproduce_packages
    arm64_packages_install
    ;;
toolkit)
    windows_toolkit >/dev/null
    ;;
*)
    echo "usage: $0 run|test|fleet|windows|arm64|package|fuzz|reproduce [deb|windows|arm64]|release deb|windows|arm64|packages|toolkit" >&2
    exit 2
    ;;
esac
