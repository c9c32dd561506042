# Sourced by the package scripts beside it: what makes a release file the same byte for byte
# whenever and wherever it is built from the same commit.

# SOURCE_DATE_EPOCH, the one time every file of a release carries: as given, or the time of the
# commit the sources are at. Exported, so the build tools that honour it see it too.
release_epoch() {
  local source_dir=$1
  if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH=$(git -C "$source_dir" log -1 --format=%ct 2>/dev/null) || {
      echo "$source_dir is no git checkout: set SOURCE_DATE_EPOCH to the release's time" >&2
      return 1
    }
  fi
  export SOURCE_DATE_EPOCH
}

# Gives every file and folder below <folder> the release's time and a mode that depends only on
# whether it is a program: not on the umask or the times of the build.
release_tree() {
  local folder=$1
  find "$folder" -type d -exec chmod 0755 {} +
  find "$folder" -type f -perm /111 -exec chmod 0755 {} +
  find "$folder" -type f ! -perm /111 -exec chmod 0644 {} +
  find "$folder" -exec touch --no-dereference --date="@$SOURCE_DATE_EPOCH" {} +
}

# Writes SHA256SUMS in <folder> for the files named, as sha256sum --check reads it there.
release_checksums() {
  local folder=$1
  shift
  (cd "$folder" && sha256sum -- "$@" >SHA256SUMS)
}
