# Shared by run.sh and test.sh: installs missing Debian packages and builds.
# Sourced, not run; expects to be in the project root.

# Debian packages a plain build needs: compiler, CMake, Qt Widgets and Test,
# and a font with Chinese glyphs so the window's texts are not drawn as boxes.
RAVELBOX_PACKAGES=(g++ make cmake qtbase5-dev fonts-wqy-microhei)

ravelbox_install() {
    local missing=() package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || {
            echo "Missing packages: ${missing[*]}; run as root or install sudo." >&2
            return 1
        }
        sudo=(sudo)
    fi
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
}

# ravelbox_build DIR [cmake options...]
ravelbox_build() {
    local dir=$1
    shift
    cmake -S . -B "$dir" "$@" >/dev/null
    cmake --build "$dir" --parallel "$(nproc)"
}
