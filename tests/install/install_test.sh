#!/usr/bin/env bash
# Installs a built certpluck tree into a scratch prefix and builds against the
# installation alone, as another project would: the examples through
# find_package(certpluck), whose tests run the example and the installed
# certpluck back to back, and a one-file program through pkg-config.
# Usage: install_test.sh BUILD_DIR SCRATCH_DIR (SCRATCH_DIR is emptied first)
set -euo pipefail
build=$(realpath "$1")
scratch=$2
source_dir=$(realpath "$(dirname "$0")/../..")
rm -rf "$scratch"
mkdir -p "$scratch"
scratch=$(realpath "$scratch")
prefix=$scratch/prefix

cmake --install "$build" --prefix "$prefix"

cmake -S "$source_dir/examples" -B "$scratch/examples" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" \
  -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
cmake --build "$scratch/examples"
ctest --test-dir "$scratch/examples" --output-on-failure --no-tests=error

pc_file=$(find "$prefix" -name certpluck.pc)
[[ -n $pc_file ]] || { echo "install_test: certpluck.pc is not installed" >&2; exit 1; }
cat >"$scratch/pkg_config_user.cpp" <<'PROGRAM'
// Writes a package holding "ABC" and reads it back through the installed libraries.
#include <bond/core/bond.h>
#include <secrets_package_apply.h>

#include <string>

int main()
{
    Trel::Security::Vaskor::SecretsPackage package;
    package.UnmanagedCertsData = bond::blob("ABC", 3);
    bond::OutputBuffer output;
    bond::CompactBinaryWriter<bond::OutputBuffer> writer(output);
    bond::Serialize(package, writer);
    const bond::blob bytes = output.GetBuffer();
    if (std::string(bytes.content(), bytes.size()) != std::string("\x0b\x0e\x03" "ABC" "\x2a\x00\x00", 9)) {
        return 1;
    }
    Trel::Security::Vaskor::SecretsPackage decoded;
    bond::Deserialize(bond::CompactBinaryReader<bond::InputBuffer>(bond::InputBuffer(bytes)), decoded);
    return decoded == package ? 0 : 1;
}
PROGRAM
pc_flags=$(PKG_CONFIG_PATH=$(dirname "$pc_file") pkg-config --cflags --libs certpluck)
read -ra flags <<<"$pc_flags"
"${CXX:-c++}" -std=c++20 -Wall -Wextra -Werror "$scratch/pkg_config_user.cpp" "${flags[@]}" -o "$scratch/pkg_config_user"
"$scratch/pkg_config_user"
echo "install_test: the installed package builds the examples and a pkg-config user"
