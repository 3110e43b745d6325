#!/usr/bin/env bash
# Builds the two Debian packages of certpluck (certpluck, the program, and
# libcertpluck-dev, what programs of one's own build against), holds each to
# lintian with no error or warning allowed, shows what they hold and checks
# that each holds exactly what it should. Then it unpacks both into a scratch
# root, as installing them would, runs the unpacked certpluck on the sample
# package (its output must be the sample bundle, and openssl must read it), and
# builds examples/ against the unpacked -dev package, through its CMake
# package, whose include folder and pkg-config file must be include/certpluck;
# the unpacked certpluck-gbc must read the installed schemas.
set -euo pipefail
cd "$(dirname "$0")/.."
fail() {
  echo "package-check: $*" >&2
  exit 1
}
bash scripts/setup-debian.sh
# CPack asks dpkg-shlibdeps for the program's dependencies.
command -v dpkg-shlibdeps >/dev/null || fail "dpkg-shlibdeps is missing: install dpkg-dev"
command -v lintian >/dev/null || fail "lintian is missing: install lintian"

build=build/package
rm -f "$build"/*.deb
# Rooted at /usr, GNUInstallDirs puts the libraries, the CMake package and the
# pkg-config file in /usr/lib/<triplet>, where Debian looks for them.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCERTPLUCK_TESTS=OFF -DCERTPLUCK_WERROR=ON \
  -DCMAKE_INSTALL_PREFIX=/usr
cmake --build "$build"
(cd "$build" && cpack -G DEB)

version=$(dpkg-parsechangelog -l packaging/changelog -S Version)
arch=$(dpkg --print-architecture)
triplet=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
tool_deb=$build/certpluck_${version}_${arch}.deb
dev_deb=$build/libcertpluck-dev_${version}_${arch}.deb
made=$(find "$build" -maxdepth 1 -name '*.deb' -printf '%f\n' | sort | paste -sd ' ')
[[ $made == "$(basename "$tool_deb") $(basename "$dev_deb")" ]] ||
  fail "expected $(basename "$tool_deb") and $(basename "$dev_deb"), cpack made: $made"

for deb in "$tool_deb" "$dev_deb"; do
  dpkg-deb --info "$deb"
  dpkg-deb --contents "$deb"
  # Info tags are shown but pass, and so are overridden ones, with their
  # reasons; lintian's own verdict would count those against the package, so
  # the tags are read from its report instead.
  report=$(lintian --fail-on none --tag-display-limit 0 --display-info --show-overrides "$deb") ||
    fail "lintian could not check $(basename "$deb")"
  [[ -z $report ]] || echo "$report"
  ! grep -q '^[EW]: ' <<<"$report" || fail "lintian reports errors or warnings on $(basename "$deb")"
done

field() { dpkg-deb --field "$1" "$2"; }
for deb in "$tool_deb" "$dev_deb"; do
  [[ $(field "$deb" Architecture) == "$arch" ]] || fail "$(basename "$deb") is not for $arch"
  [[ $(field "$deb" Version) == "$version" ]] || fail "$(basename "$deb") is not version $version of packaging/changelog"
done
[[ $(field "$tool_deb" Section) == utils ]] || fail "certpluck is not in section utils"
[[ $(field "$dev_deb" Section) == libdevel ]] || fail "libcertpluck-dev is not in section libdevel"
# An empty Depends would mean dpkg-shlibdeps did not run.
field "$tool_deb" Depends | grep -q 'libc6' || fail "certpluck does not depend on libc6: dpkg-shlibdeps did not run"
# The CMake package imports the program, and will not load without it; the
# schema compiler's own libraries come from dpkg-shlibdeps.
dev_depends=$(field "$dev_deb" Depends)
[[ $dev_depends == *libc6* && $dev_depends == *"certpluck (= $version)"* && $dev_depends == *libboost-dev* ]] ||
  fail "libcertpluck-dev must depend on the compiler's libraries, certpluck (= $version) and libboost-dev, not: $dev_depends"

# Exactly these files, and no others, in each package.
files_of() { dpkg-deb --fsys-tarfile "$1" | tar -t | grep -v '/$' | sed 's|^\./||' | sort; }
debian_metadata() {
  printf '%s\n' "usr/share/doc/$1/copyright" "usr/share/doc/$1/changelog.Debian.gz" "usr/share/lintian/overrides/$1"
}
expected_tool=$(
  {
    printf '%s\n' usr/bin/certpluck usr/share/man/man1/certpluck.1.gz usr/share/bash-completion/completions/certpluck
    debian_metadata certpluck
  } | sort
)
expected_dev=$(
  {
    (cd runtime/include && find . -name '*.h' | sed 's|^\./|usr/include/certpluck/|')
    printf 'usr/include/certpluck/secrets_package_%s.h\n' types reflection apply
    printf '%s\n' "usr/lib/$triplet/libcertpluck_bond.a" "usr/lib/$triplet/libcertpluck_secrets_package.a" \
      "usr/lib/$triplet/pkgconfig/certpluck.pc" "usr/lib/$triplet/pkgconfig/certpluck-bond.pc" usr/share/certpluck/secrets_package.bond \
      usr/bin/certpluck-gbc usr/share/man/man1/certpluck-gbc.1.gz usr/share/bash-completion/completions/certpluck-gbc
    (cd compiler/import && find . -name '*.bond' | sed 's|^\./|usr/share/certpluck/import/|')
    for file in certpluckConfig.cmake certpluckConfigVersion.cmake certpluckCodegen.cmake certpluckTargets.cmake \
      certpluckTargets-release.cmake; do
      echo "usr/lib/$triplet/cmake/certpluck/$file"
    done
    debian_metadata libcertpluck-dev
  } | sort
)
diff -u <(echo "$expected_tool") <(files_of "$tool_deb") || fail "certpluck does not hold what it should (- missing, + extra)"
diff -u <(echo "$expected_dev") <(files_of "$dev_deb") || fail "libcertpluck-dev does not hold what it should (- missing, + extra)"

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb --extract "$tool_deb" "$root"
dpkg-deb --extract "$dev_deb" "$root"

# Compressed files: at the highest level, with no name or time in the header
# (gzip -9n), so every build gives the same bytes.
check_gzip_9n() {
  local header
  header=$(head -c 10 "$root/$1" | od -An -tx1 | tr -s ' \n' ' ')
  [[ $header == " 1f 8b 08 00 00 00 00 00 02 03 " ]] || fail "/$1 was not made with gzip -9n (header:$header)"
  gzip -dc "$root/$1" | cmp -s - "$2" || fail "/$1 does not hold $2"
}
check_gzip_9n usr/share/man/man1/certpluck.1.gz doc/certpluck.1
check_gzip_9n usr/share/man/man1/certpluck-gbc.1.gz doc/certpluck-gbc.1
for package in certpluck libcertpluck-dev; do
  check_gzip_9n "usr/share/doc/$package/changelog.Debian.gz" packaging/changelog
  cmp -s "$root/usr/share/doc/$package/copyright" packaging/copyright ||
    fail "/usr/share/doc/$package/copyright differs from packaging/copyright"
done

"$root/usr/bin/certpluck" --in samples/sample.package --out "$root/sample.p7b"
cmp "$root/sample.p7b" samples/sample.p7b || fail "the unpacked certpluck did not give back samples/sample.p7b"
openssl pkcs7 -inform DER -print_certs -noout -in "$root/sample.p7b"

# The unpacked compiler reads the installed schema file, and finds the
# library's own schema files where it was unpacked, with no -i.
printf 'import "bond/core/bond.bond"\nnamespace check\nstruct Holder { 0: bond.SchemaDef schema; }\n' >"$root/holder.bond"
"$root/usr/bin/certpluck-gbc" schema -o "$root" "$root/usr/share/certpluck/secrets_package.bond" "$root/holder.bond"
grep -q '"SecretsPackage"' "$root/secrets_package.json" || fail "the unpacked certpluck-gbc wrote no AST of the schema file"
grep -q '"SchemaDef"' "$root/holder.json" || fail "the unpacked certpluck-gbc did not import bond/core/bond.bond"

# What the -dev package tells its users: the include folder and the archives.
pc_dir=$root/usr/lib/$triplet/pkgconfig
read -ra cflags <<<"$(PKG_CONFIG_LIBDIR=$pc_dir PKG_CONFIG_PATH="" pkg-config --cflags certpluck)"
if ! ((${#cflags[@]} == 1)) || [[ ${cflags[0]} != -I* || $(realpath -m "${cflags[0]#-I}") != "$root/usr/include/certpluck" ]]; then
  fail "certpluck.pc must give -I/usr/include/certpluck alone, not: ${cflags[*]}"
fi
read -ra libs <<<"$(PKG_CONFIG_LIBDIR=$pc_dir PKG_CONFIG_PATH="" pkg-config --libs-only-l certpluck)"
[[ ${libs[*]} == "-lcertpluck_secrets_package -lcertpluck_bond" ]] ||
  fail "certpluck.pc must link -lcertpluck_secrets_package -lcertpluck_bond, not: ${libs[*]}"
read -ra libs <<<"$(PKG_CONFIG_LIBDIR=$pc_dir PKG_CONFIG_PATH="" pkg-config --libs-only-l certpluck-bond)"
[[ ${libs[*]} == "-lcertpluck_bond" ]] || fail "certpluck-bond.pc must link -lcertpluck_bond alone, not: ${libs[*]}"
targets=$root/usr/lib/$triplet/cmake/certpluck/certpluckTargets.cmake
include_dirs=$(sed -n 's/^ *INTERFACE_INCLUDE_DIRECTORIES "\(.*\)"$/\1/p' "$targets" | sort -u)
[[ $include_dirs == "\${_IMPORT_PREFIX}/include/certpluck" ]] ||
  fail "the CMake package's include folder must be include/certpluck, not: $include_dirs"
examples=$root/examples-build
cmake -S examples -B "$examples" -G Ninja -DCMAKE_PREFIX_PATH="$root/usr" -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
found=$(sed -n 's/^certpluck_DIR:PATH=//p' "$examples/CMakeCache.txt")
[[ $(realpath "$found") == "$root/usr/lib/$triplet/cmake/certpluck" ]] || fail "the examples found the certpluck package in $found"
cmake --build "$examples"
ctest --test-dir "$examples" --output-on-failure --no-tests=error
echo "package-check: $(basename "$tool_deb") and $(basename "$dev_deb") pass lintian, hold what they should and work"
