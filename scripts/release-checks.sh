# Sourced by the test script, after wine-env.sh: the checks that what a user
# downloads can be trusted, for every architecture built.
#   check_reproducible DIR  builds the Release programs and setups once more,
#                           from a copy of the sources in DIR, and compares
#                           them with the ones of the ordinary build folders
#   build_signed DIR        then builds it again with a throwaway certificate,
#                           made in a folder of DIR whose name holds quotes,
#                           a dollar sign and a backtick, in the environment,
#                           and verifies that every file is signed by it
#   check_unsigned_again DIR
#                           then builds it once more with no certificate in
#                           the environment, which must give the unsigned
#                           files of the first build again
# Signing follows the environment of each build, not the one a build folder
# was configured in. The second build has no tests: only Velorix and the
# installer targets.

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

unsigned_environment() { unset VELORIX_SIGN_PFX VELORIX_SIGN_PASSWORD_FILE VELORIX_SIGN_TIMESTAMP_URL; }

check_reproducible() {
  local dir=$1 arch first second status=0
  # New file times and another path, as a second clone would have.
  mkdir -p "$dir/source"
  tar -C "$root" --exclude='./build*' --exclude=./.git -cf - . | tar -C "$dir/source" -xmf -
  for arch in $BUILT_ARCHS; do
    first=$(build_dir_of "$arch")
    second=$(second_build_of "$dir" "$arch")
    (unsigned_environment
      root=$dir/source CONFIGURE_OPTIONS="-DVELORIX_TESTS=OFF ${CONFIGURE_OPTIONS:-}" \
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

# A certificate's folder whose name a shell would take apart if the path
# were pasted into a command line.
certificate_dir_of() { printf '%s/cert "$HOME` `id` it'"'"'s\n' "$1"; }

build_signed() {
  local dir=$1 certs arch build
  certs=$(certificate_dir_of "$dir")
  mkdir -p "$certs"
  # Valid for two days and never published; no time-stamp server, so
  # signing reaches no network.
  openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Velorix test signing" \
    -addext extendedKeyUsage=codeSigning -keyout "$certs/key.pem" -out "$certs/cert.pem" 2>/dev/null
  echo "throwaway-$RANDOM$RANDOM" >"$certs/password"
  openssl pkcs12 -export -inkey "$certs/key.pem" -in "$certs/cert.pem" -out "$certs/cert.pfx" \
    -passout "file:$certs/password"
  for arch in $BUILT_ARCHS; do
    build=$(second_build_of "$dir" "$arch")
    (unsigned_environment
      export VELORIX_SIGN_PFX=$certs/cert.pfx VELORIX_SIGN_PASSWORD_FILE=$certs/password
      root=$dir/source build_in "$arch" Release "$build" Velorix installer) || return 1
    verify_signed "$build" "$certs/cert.pem" || return 1
  done
}

check_unsigned_again() {
  local dir=$1 arch first build status=0
  for arch in $BUILT_ARCHS; do
    first=$(build_dir_of "$arch")
    build=$(second_build_of "$dir" "$arch")
    (unsigned_environment
      root=$dir/source build_in "$arch" Release "$build" Velorix installer) || return 1
    if diff <(hashes_of "$first") <(hashes_of "$build") >&2; then
      echo "signing ($arch): built again without a certificate, the files are the unsigned ones"
    else
      echo "signing ($arch): built again without a certificate in the environment, $build still differs from $first (< first, > second)" >&2
      status=1
    fi
  done
  return $status
}
