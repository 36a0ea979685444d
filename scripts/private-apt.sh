# Sourced by the dependency scripts: apt-get over a private deb-src list, so that the system's
# apt configuration stays untouched. `private_apt_setup <dir>` sets up <dir>/apt, fills the
# array `apt_private` with the options and updates the lists; then `apt-get "${apt_private[@]}"
# source ...` fetches Debian's sources.
private_apt_setup() {
  local apt="$1/apt"
  mkdir -p "$apt/lists/partial" "$apt/sources" "$apt/cache/archives/partial"
  sed 's/^Types: deb$/Types: deb deb-src/' /etc/apt/sources.list.d/debian.sources \
    > "$apt/sources/debian.sources"
  apt_private=(-o "Dir::Etc::SourceParts=$apt/sources" -o "Dir::Etc::SourceList=/dev/null"
               -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache"
               -o "APT::Sandbox::User=root")
  apt-get "${apt_private[@]}" update -qq
}
