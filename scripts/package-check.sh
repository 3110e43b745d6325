#!/usr/bin/env bash
# Builds the Debian package of certpluck, shows what it holds, unpacks it into
# a scratch folder and runs the unpacked certpluck on the sample package: its
# output must be the sample bundle, and openssl must read it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-debian.sh
# CPack asks dpkg-shlibdeps for the package's dependencies.
command -v dpkg-shlibdeps >/dev/null || { echo "package-check: dpkg-shlibdeps is missing: install dpkg-dev" >&2; exit 1; }

build=build/package
rm -f "$build"/certpluck_*.deb
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCERTPLUCK_TESTS=OFF -DCERTPLUCK_WERROR=ON
cmake --build "$build"
(cd "$build" && cpack -G DEB)
debs=("$build"/certpluck_*.deb)
((${#debs[@]} == 1)) || { echo "package-check: expected one package, found: ${debs[*]}" >&2; exit 1; }
deb=${debs[0]}

dpkg-deb --info "$deb"
dpkg-deb --contents "$deb"
# An empty Depends would mean dpkg-shlibdeps did not run.
dpkg-deb --field "$deb" Depends | grep -q 'libc6'

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb --extract "$deb" "$root"
for installed in bin/certpluck share/man/man1/certpluck.1 share/bash-completion/completions/certpluck \
  share/certpluck/secrets_package.bond include/bond/core/bond.h include/secrets_package_apply.h \
  lib/libbond_runtime.a lib/libsecrets_package.a lib/cmake/certpluck/certpluckConfig.cmake \
  lib/pkgconfig/certpluck.pc; do
  [[ -f $root/usr/$installed ]] || { echo "package-check: /usr/$installed is not in the package" >&2; exit 1; }
done

"$root/usr/bin/certpluck" --in samples/sample.package --out "$root/sample.p7b"
cmp "$root/sample.p7b" samples/sample.p7b
openssl pkcs7 -inform DER -print_certs -noout -in "$root/sample.p7b"
echo "package-check: $deb installs a working certpluck"
