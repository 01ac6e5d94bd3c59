# Sourced by the test script, after wine-env.sh: the checks that what a user
# downloads can be trusted, for every architecture built.
#   check_reproducible DIR  builds the Release programs and setups once more,
#                           from a copy of the sources in DIR, and compares
#                           them with the ones of the ordinary build folders
#   build_signed DIR        then signs that second build with a throwaway
#                           certificate made in DIR and verifies every file
# The second build has no tests: only Velorix and the installer targets.

# The files compared, relative to a build folder's bin/.
released_files() {
  (cd "$1/bin" && ls Velorix.exe "Uninstall Velorix.exe" Velorix-Setup-*.exe)
}

second_build_of() { echo "$1/build-$2"; }

# Prints, for each file of build folder $1, its SHA-256 and name.
hashes_of() {
  local build=$1
  (cd "$build/bin" && released_files "$build" | tr '\n' '\0' | xargs -0 sha256sum)
}

check_reproducible() {
  local dir=$1 arch first second status=0
  # New file times and another path, as a second clone would have.
  mkdir -p "$dir/source"
  tar -C "$root" --exclude='./build*' --exclude=./.git -cf - . | tar -C "$dir/source" -xmf -
  for arch in $BUILT_ARCHS; do
    first=$(build_dir_of "$arch")
    second=$(second_build_of "$dir" "$arch")
    (root=$dir/source CONFIGURE_OPTIONS="-DVELORIX_TESTS=OFF -DVELORIX_SIGN_PFX= ${CONFIGURE_OPTIONS:-}" \
      build_in "$arch" Release "$second" Velorix installer) || return 1
    if [ "$(released_files "$first")" != "$(released_files "$second")" ]; then
      echo "reproducibility ($arch): the builds made different files" >&2
      status=1
    elif ! diff <(hashes_of "$first") <(hashes_of "$second") >&2; then
      echo "reproducibility ($arch): files differ between $first and $second (< first, > second)" >&2
      status=1
    else
      echo "reproducibility ($arch): $(released_files "$first" | wc -l) files identical in a second build"
    fi
    (cd "$first/bin" && sha256sum --quiet -c SHA256SUMS) ||
      { echo "SHA256SUMS ($arch) does not match its files" >&2; status=1; }
  done
  return $status
}

# Fails unless every released file of build folder $1 carries a signature
# by certificate $2.
verify_signed() {
  local build=$1 cert=$2 file status=0
  while IFS= read -r file; do
    if osslsigncode verify -CAfile "$cert" -in "$build/bin/$file" >"$build/verify.log" 2>&1; then
      echo "signature: $file of $build verified"
    else
      echo "signature: $file of $build is not signed by the test certificate:" >&2
      tail -5 "$build/verify.log" >&2
      status=1
    fi
  done < <(released_files "$build")
  return $status
}

build_signed() {
  local dir=$1 arch build
  # Valid for two days and never published; no time-stamp server, so
  # signing reaches no network.
  openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Velorix test signing" \
    -addext extendedKeyUsage=codeSigning -keyout "$dir/key.pem" -out "$dir/cert.pem" 2>/dev/null
  echo "throwaway-$RANDOM$RANDOM" >"$dir/password"
  openssl pkcs12 -export -inkey "$dir/key.pem" -in "$dir/cert.pem" -out "$dir/cert.pfx" \
    -passout "file:$dir/password"
  for arch in $BUILT_ARCHS; do
    build=$(second_build_of "$dir" "$arch")
    cmake "$build" -DVELORIX_SIGN_PFX="$dir/cert.pfx" -DVELORIX_SIGN_PASSWORD_FILE="$dir/password" \
      -DVELORIX_SIGN_TIMESTAMP_URL= >/dev/null || return 1
    # Linked again, so its new last step signs it.
    rm -f "$build/bin/Velorix.exe"
    (root=$dir/source build_in "$arch" Release "$build" Velorix installer) || return 1
    verify_signed "$build" "$dir/cert.pem" || return 1
  done
}
