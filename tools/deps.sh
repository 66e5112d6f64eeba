# Installs the Debian packages the build, the program and the tests need,
# when any of them is missing. Sourced by the run and test commands.
ezp_install_deps() {
    local packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools libssl-dev
                    fonts-liberation2 fonts-wine fonts-dejavu-core fonts-dejavu-extra fontconfig poppler-utils xvfb xauth)
    local missing=()
    for p in "${packages[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$p")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing missing packages: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo=(sudo)
    fi
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
}
