#!/usr/bin/env bash
# Installs a built certpluck tree into a scratch prefix and builds against the
# installation alone, as another project would: the examples through
# find_package(certpluck), whose tests run the example and the installed
# certpluck back to back, and one consumer program both through
# find_package(certpluck) and through pkg-config. Before that it checks the
# layout: nothing may take the names of a real bond installation
# (include/bond/..., libbond*), since both must be installable side by side.
# Usage: install_test.sh BUILD_DIR SCRATCH_DIR (SCRATCH_DIR is emptied first)
set -euo pipefail
fail() {
  echo "install_test: $*" >&2
  exit 1
}
(($# == 2)) || fail "usage: install_test.sh BUILD_DIR SCRATCH_DIR"
build=$(realpath "$1")
scratch=$2
source_dir=$(realpath "$(dirname "$0")/../..")
rm -rf "$scratch"
mkdir -p "$scratch"
scratch=$(realpath "$scratch")
prefix=$scratch/prefix

cmake --install "$build" --prefix "$prefix"

# --- Layout -----------------------------------------------------------------
[[ ! -e $prefix/include/bond ]] || fail "include/bond is installed; the runtime's headers belong under include/certpluck/bond"
taken=$(find "$prefix" -name 'libbond*' -print)
[[ -z $taken ]] || fail "installed under a name of the bond library's own: $taken"
in_include=$(ls -A "$prefix/include")
[[ $in_include == certpluck ]] || fail "include/ must hold certpluck/ alone, not: $in_include"

# Every public header, unchanged, under include/certpluck with its own path.
check_headers() {
  local from=$1 header relative
  while IFS= read -r -d '' header; do
    relative=${header#"$from"/}
    cmp -s "$header" "$prefix/include/certpluck/$relative" ||
      fail "include/certpluck/$relative is missing or differs from ${from#"$source_dir"/}/$relative"
  done < <(find "$from" -name '*.h' -print0)
}
check_headers "$source_dir/runtime/include"
# The secrets package's module, as the build generated it.
for header in secrets_package_types.h secrets_package_reflection.h secrets_package_apply.h; do
  cmp -s "$build/schema/generated/$header" "$prefix/include/certpluck/$header" ||
    fail "include/certpluck/$header is missing or differs from the one the build generated"
done

archives=$(find "$prefix" -name '*.a' -printf '%f\n' | sort | paste -sd ' ')
[[ $archives == "libcertpluck_bond.a libcertpluck_secrets_package.a" ]] ||
  fail "the installed static libraries must be libcertpluck_bond.a and libcertpluck_secrets_package.a, not: $archives"
libdir=$(dirname "$(find "$prefix" -name libcertpluck_bond.a)")
[[ -f $libdir/libcertpluck_secrets_package.a ]] || fail "the two static libraries are installed in different folders"
for module in certpluck certpluck-bond; do
  [[ -f $libdir/pkgconfig/$module.pc ]] || fail "${libdir#"$prefix"/}/pkgconfig/$module.pc is not installed"
done
[[ -f $libdir/cmake/certpluck/certpluckConfig.cmake ]] || fail "${libdir#"$prefix"/}/cmake/certpluck/certpluckConfig.cmake is not installed"
[[ -x $prefix/bin/certpluck ]] || fail "bin/certpluck is not installed"
[[ -x $prefix/bin/certpluck-gbc ]] || fail "bin/certpluck-gbc is not installed"
for import in bond/core/bond.bond bond/core/bond_const.bond; do
  cmp -s "$prefix/share/certpluck/import/$import" "$source_dir/compiler/import/$import" ||
    fail "share/certpluck/import/$import is missing or differs from compiler/import/$import"
done
# The schema compiler finds the library's schema files from where it is, so
# an installation moved elsewhere still finds them.
moved=$scratch/moved
cp -a "$prefix" "$moved"
printf 'import "bond/core/bond.bond"\nnamespace n\nstruct S { 0: bond.GUID id; }\n' >"$scratch/uses_bond.bond"
"$moved/bin/certpluck-gbc" schema -o "$scratch" "$scratch/uses_bond.bond" ||
  fail "a moved installation's certpluck-gbc does not find bond/core/bond.bond"
[[ -s $scratch/uses_bond.json ]] || fail "certpluck-gbc wrote no uses_bond.json"
rm -rf "$moved"
[[ -f $prefix/share/certpluck/secrets_package.bond ]] || fail "share/certpluck/secrets_package.bond is not installed"
# Each command's completion as it stands, and its manual page compressed at
# the highest level with no name or time in its header (gzip -9n), so every
# build installs the same bytes.
for command in certpluck certpluck-gbc; do
  cmp -s "$prefix/share/bash-completion/completions/$command" "$source_dir/completion/$command.bash" ||
    fail "share/bash-completion/completions/$command is missing or differs from completion/$command.bash"
  man_page=$prefix/share/man/man1/$command.1.gz
  [[ -f $man_page ]] || fail "share/man/man1/$command.1.gz is not installed"
  [[ ! -e $prefix/share/man/man1/$command.1 ]] || fail "share/man/man1/$command.1 is installed uncompressed"
  gzip -dc "$man_page" | cmp -s - "$source_dir/doc/$command.1" || fail "$command.1.gz does not hold doc/$command.1"
  gzip_header=$(head -c 10 "$man_page" | od -An -tx1 | tr -s ' \n' ' ')
  [[ $gzip_header == " 1f 8b 08 00 00 00 00 00 02 03 " ]] ||
    fail "$command.1.gz was not made with gzip -9n (header:$gzip_header)"
done

# The Debian metadata goes into the packages only; a plain installation has
# the licence instead.
for debian_only in share/doc/libcertpluck-dev share/doc/certpluck/copyright share/lintian; do
  [[ ! -e $prefix/$debian_only ]] || fail "$debian_only is installed outside a Debian package"
done
cmp -s "$prefix/share/doc/certpluck/LICENSE" "$source_dir/LICENSE" || fail "share/doc/certpluck/LICENSE is missing or differs from LICENSE"

# --- Building against it ----------------------------------------------------
# As on a machine that has bond itself installed: its headers are on the
# compiler's own search path, behind the include folder the package names.
# Picking up any of them instead of certpluck's fails the build.
system_bond=$scratch/system-bond
for header in bond/core/bond.h bond/stream/output_buffer.h bond/protocol/compact_binary.h \
  bond/protocol/fast_binary.h bond/protocol/simple_binary.h; do
  mkdir -p "$(dirname "$system_bond/$header")"
  echo "#error \"$header of another bond installation was included\"" >"$system_bond/$header"
done
export CPLUS_INCLUDE_PATH=$system_bond

cmake -S "$source_dir/examples" -B "$scratch/examples" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" \
  -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
cmake --build "$scratch/examples"
ctest --test-dir "$scratch/examples" --output-on-failure --no-tests=error

consumer=$scratch/consumer
mkdir -p "$consumer"
cat >"$consumer/consumer.cpp" <<'PROGRAM'
// Uses the installed headers and libraries as a program of one's own would:
// the schema module's reflection, the exact Compact Binary bytes that
// certpluck reads, and a record through every binary protocol and back.
#include <bond/core/bond.h>
#include <bond/protocol/compact_binary.h>
#include <bond/protocol/fast_binary.h>
#include <bond/protocol/simple_binary.h>
#include <bond/stream/output_buffer.h>
#include "secrets_package_reflection.h"
#include <secrets_package_apply.h>

#include <cstdio>
#include <string>

namespace {

using Trel::Security::Vaskor::SecretsPackage;
using Trel::Security::Vaskor::SupportingCert;

template <typename Writer>
bond::blob Encode(const SecretsPackage& package)
{
    bond::OutputBuffer output;
    Writer writer(output);
    bond::Serialize(package, writer);
    return output.GetBuffer();
}

template <typename Writer, typename Reader>
bool RoundTrips(const SecretsPackage& package)
{
    SecretsPackage decoded;
    bond::Deserialize(Reader(bond::InputBuffer(Encode<Writer>(package))), decoded);
    return decoded == package;
}

int Fail(const char* what)
{
    std::fprintf(stderr, "consumer: %s\n", what);
    return 1;
}

}  // namespace

int main()
{
    if (SecretsPackage::Schema::metadata.qualified_name != "Trel.Security.Vaskor.SecretsPackage") {
        return Fail("the record's metadata is not the schema module's");
    }

    SecretsPackage package;
    package.UnmanagedCertsData = bond::blob("ABC", 3);
    const bond::blob bytes = Encode<bond::CompactBinaryWriter<bond::OutputBuffer>>(package);
    if (std::string(bytes.content(), bytes.size()) != std::string("\x0b\x0e\x03" "ABC" "\x2a\x00\x00", 9)) {
        return Fail("Compact Binary wrote other bytes than certpluck reads");
    }

    package.SecureBlobETag = L"etag";
    SupportingCert intermediate;
    intermediate.Data = bond::blob("DEF", 3);
    intermediate.DestinationStoreName = L"CA";
    package.IntermediateCerts.push_back(intermediate);
    using bond::InputBuffer;
    using bond::OutputBuffer;
    if (!RoundTrips<bond::CompactBinaryWriter<OutputBuffer>, bond::CompactBinaryReader<InputBuffer>>(package)) {
        return Fail("Compact Binary does not give the record back");
    }
    if (!RoundTrips<bond::FastBinaryWriter<OutputBuffer>, bond::FastBinaryReader<InputBuffer>>(package)) {
        return Fail("Fast Binary does not give the record back");
    }
    if (!RoundTrips<bond::SimpleBinaryWriter<OutputBuffer>, bond::SimpleBinaryReader<InputBuffer>>(package)) {
        return Fail("Simple Binary does not give the record back");
    }
    return 0;
}
PROGRAM
warnings=(-Wall -Wextra -Wpedantic -Wconversion -Wshadow)

# Through pkg-config, which must see this prefix's certpluck.pc and no other.
# Its paths go through ${pcfiledir}, so they are compared once resolved.
pc_cflags=$(PKG_CONFIG_LIBDIR=$libdir/pkgconfig PKG_CONFIG_PATH="" pkg-config --cflags certpluck)
pc_libs=$(PKG_CONFIG_LIBDIR=$libdir/pkgconfig PKG_CONFIG_PATH="" pkg-config --libs certpluck)
read -ra cflags <<<"$pc_cflags"
read -ra libs <<<"$pc_libs"
if ! ((${#cflags[@]} == 1)) || [[ ${cflags[0]} != -I* || $(realpath -m "${cflags[0]#-I}") != "$prefix/include/certpluck" ]]; then
  fail "pkg-config --cflags must give -I<prefix>/include/certpluck alone, not: $pc_cflags"
fi
if ! ((${#libs[@]} == 3)) || [[ ${libs[0]} != -L* || $(realpath -m "${libs[0]#-L}") != "$libdir" ]] ||
  [[ "${libs[*]:1}" != "-lcertpluck_secrets_package -lcertpluck_bond" ]]; then
  fail "pkg-config --libs must give -L<libdir> -lcertpluck_secrets_package -lcertpluck_bond, not: $pc_libs"
fi
"${CXX:-c++}" -std=c++20 "${warnings[@]}" -Werror "$consumer/consumer.cpp" "${cflags[@]}" "${libs[@]}" \
  -o "$scratch/consumer_pkg_config"
"$scratch/consumer_pkg_config" || fail "the consumer built through pkg-config failed"

# Through find_package, which must take this prefix's package; the imported
# targets' include folder and archives are written out to be checked.
cat >"$consumer/CMakeLists.txt" <<CMAKE
cmake_minimum_required(VERSION 3.20)
project(certpluck_consumer LANGUAGES CXX)
find_package(certpluck REQUIRED)
add_executable(consumer consumer.cpp)
target_link_libraries(consumer PRIVATE certpluck::secrets_package)
target_compile_options(consumer PRIVATE ${warnings[*]})
file(GENERATE OUTPUT imported.txt CONTENT "\
\$<TARGET_PROPERTY:certpluck::bond_runtime,INTERFACE_INCLUDE_DIRECTORIES>
\$<TARGET_PROPERTY:certpluck::secrets_package,INTERFACE_INCLUDE_DIRECTORIES>
\$<TARGET_FILE:certpluck::bond_runtime>
\$<TARGET_FILE:certpluck::secrets_package>
\$<TARGET_PROPERTY:Boost::headers,INTERFACE_INCLUDE_DIRECTORIES>
")
CMAKE
cmake -S "$consumer" -B "$scratch/consumer_cmake" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" \
  -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
found=$(sed -n 's/^certpluck_DIR:PATH=//p' "$scratch/consumer_cmake/CMakeCache.txt")
[[ $(realpath "$found") == "$libdir/cmake/certpluck" ]] || fail "find_package took the certpluck package in $found"
mapfile -t imported <"$scratch/consumer_cmake/imported.txt"
# The property is read with what each target brings along, so it may name the
# folder more than once, and Boost's headers' folder besides; it must name no
# other.
boost_dir=$(realpath -m "${imported[4]}")
for target_dirs in "${imported[0]}" "${imported[1]}"; do
  IFS=';' read -ra dirs <<<"$target_dirs"
  ((${#dirs[@]})) || fail "an imported target names no include folder"
  for dir in "${dirs[@]}"; do
    [[ $(realpath -m "$dir") == "$prefix/include/certpluck" || $(realpath -m "$dir") == "$boost_dir" ]] ||
      fail "an imported target's include folder must be <prefix>/include/certpluck or Boost's, not: $dir"
  done
done
[[ $(realpath "${imported[2]}") == "$libdir/libcertpluck_bond.a" ]] ||
  fail "certpluck::bond_runtime must be $libdir/libcertpluck_bond.a, not: ${imported[2]}"
[[ $(realpath "${imported[3]}") == "$libdir/libcertpluck_secrets_package.a" ]] ||
  fail "certpluck::secrets_package must be $libdir/libcertpluck_secrets_package.a, not: ${imported[3]}"
cmake --build "$scratch/consumer_cmake"
"$scratch/consumer_cmake/consumer" || fail "the consumer built through find_package failed"

# The README's example of a schema of one's own, built as the README says:
# through the installed CMake package's add_bond_codegen, and by hand with the
# installed compiler and pkg-config's certpluck-bond. The README quotes its
# files, which must be these, and the line it prints.
shapes=$source_dir/examples/shapes
readme_block() {
  awk -v want="examples/shapes/$1" '
    /^```/ { if (copying) exit; if (named == want) { copying = 1; next } }
    copying { print; next }
    match($0, /`examples\/shapes\/[^`]+`/) { named = substr($0, RSTART + 1, RLENGTH - 2) }
  ' "$source_dir/README.md"
}
for file in shapes.bond main.cpp CMakeLists.txt; do
  diff -u <(readme_block "$file") "$shapes/$file" || fail "README.md does not quote examples/shapes/$file as it stands"
done
shapes_line=$(sed -n 's/^    \(wheel: .*\)$/\1/p' "$source_dir/README.md")
[[ -n $shapes_line ]] || fail "README.md does not say what examples/shapes prints"
cmake -S "$shapes" -B "$scratch/shapes_cmake" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_COMPILE_WARNING_AS_ERROR=ON \
  -DCMAKE_CXX_FLAGS="${warnings[*]}"
cmake --build "$scratch/shapes_cmake"
[[ $("$scratch/shapes_cmake/shapes") == "$shapes_line" ]] || fail "examples/shapes built through CMake does not print: $shapes_line"
mkdir -p "$scratch/shapes_by_hand"
cp "$shapes/shapes.bond" "$shapes/main.cpp" "$scratch/shapes_by_hand"
(
  cd "$scratch/shapes_by_hand"
  PATH=$prefix/bin:$PATH
  export PKG_CONFIG_LIBDIR=$libdir/pkgconfig PKG_CONFIG_PATH=""
  certpluck-gbc c++ shapes.bond
  # shellcheck disable=SC2046 # pkg-config's output is meant to be split into words
  "${CXX:-c++}" -std=c++20 "${warnings[@]}" -Werror main.cpp shapes_types.cpp shapes_apply.cpp \
    $(pkg-config --cflags --libs certpluck-bond) -o shapes
)
[[ $("$scratch/shapes_by_hand/shapes") == "$shapes_line" ]] ||
  fail "examples/shapes built by hand with pkg-config does not print: $shapes_line"

# Programs written as the library's manual and examples teach its interface,
# on these records: each programs/NAME.cpp is built through pkg-config and
# through find_package, and each build must print exactly NAME.expected.
programs=$source_dir/tests/install/programs
mkdir -p "$scratch/programs_pkg_config"
for program in "$programs"/*.cpp; do
  name=$(basename "$program" .cpp)
  "${CXX:-c++}" -std=c++20 "${warnings[@]}" -Werror "$program" "${cflags[@]}" "${libs[@]}" \
    -o "$scratch/programs_pkg_config/$name"
done
mkdir -p "$scratch/programs_cmake_source"
cat >"$scratch/programs_cmake_source/CMakeLists.txt" <<CMAKE
cmake_minimum_required(VERSION 3.20)
project(certpluck_programs LANGUAGES CXX)
find_package(certpluck REQUIRED)
file(GLOB programs "$programs/*.cpp")
foreach(program \${programs})
  get_filename_component(name \${program} NAME_WE)
  add_executable(\${name} \${program})
  target_link_libraries(\${name} PRIVATE certpluck::secrets_package)
  target_compile_options(\${name} PRIVATE ${warnings[*]})
endforeach()
CMAKE
cmake -S "$scratch/programs_cmake_source" -B "$scratch/programs_cmake" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" \
  -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
cmake --build "$scratch/programs_cmake"
for program in "$programs"/*.cpp; do
  name=$(basename "$program" .cpp)
  for built in "$scratch/programs_pkg_config/$name" "$scratch/programs_cmake/$name"; do
    diff -u "$programs/$name.expected" <("$built") || fail "$built printed other than programs/$name.expected"
  done
done

# Programs written like the library's examples, each with a schema of its own:
# features/NAME holds the schema files, the compiler's options (one line), the
# program and what it prints; libs, when there, names what else it links.
# Each is generated, built and run against the installation alone, two at a
# time, since the generated entry points are slow to compile.
build_feature() {
  local folder=$1 name out options libs=()
  name=$(basename "$folder")
  out=$scratch/features/$name
  mkdir -p "$out"
  read -r -a options <"$folder/options" || true
  [[ -f $folder/libs ]] && read -r -a libs <"$folder/libs"
  "$prefix/bin/certpluck-gbc" c++ "${options[@]}" --output-dir="$out" "$folder"/*.bond || {
    echo "install_test: certpluck-gbc failed on features/$name" >&2
    return 1
  }
  # shellcheck disable=SC2046 # pkg-config's output is meant to be split into words
  "${CXX:-c++}" -std=c++20 "${warnings[@]}" -Werror -I "$folder" -I "$out" "$folder/main.cpp" \
    $(find "$out" -name '*_types.cpp' -o -name '*_apply.cpp') \
    $(PKG_CONFIG_LIBDIR=$libdir/pkgconfig PKG_CONFIG_PATH="" pkg-config --cflags --libs certpluck-bond) \
    "${libs[@]}" -o "$out/$name" || {
    echo "install_test: features/$name does not build" >&2
    return 1
  }
  diff -u "$folder/expected" <("$out/$name") || {
    echo "install_test: features/$name printed other than its expected" >&2
    return 1
  }
}
export -f build_feature
export scratch prefix libdir CXX
export warnings_line="${warnings[*]}"
find "$source_dir/tests/install/features" -mindepth 1 -maxdepth 1 -type d -print0 | sort -z |
  xargs -0 -r -n 1 -P 2 bash -c 'read -r -a warnings <<<"$warnings_line"; build_feature "$1"' _ ||
  fail "a program of tests/install/features failed (above)"

# The suite's tests of the library's documented interface, and its table of
# the reference library's answers (serialize, marshal, transcode, unmarshal,
# run-time schema, the v2 counting pass), built against the installation alone.
api=$scratch/api
mkdir -p "$api"
cat >"$api/CMakeLists.txt" <<CMAKE
cmake_minimum_required(VERSION 3.20)
project(certpluck_api LANGUAGES CXX)
find_package(certpluck REQUIRED)
find_package(GTest REQUIRED)
add_executable(api_tests $source_dir/tests/schema/reference_api_test.cpp $source_dir/tests/schema/library_api_test.cpp)
target_include_directories(api_tests PRIVATE $source_dir/tests/support $source_dir/tests/schema)
target_compile_definitions(api_tests PRIVATE REFERENCE_API="$source_dir/tests/testdata/reference_api.tsv")
target_link_libraries(api_tests PRIVATE certpluck::secrets_package GTest::gtest_main)
target_compile_options(api_tests PRIVATE ${warnings[*]})
CMAKE
cmake -S "$api" -B "$scratch/api_cmake" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_COMPILE_WARNING_AS_ERROR=ON
cmake --build "$scratch/api_cmake"
"$scratch/api_cmake/api_tests" --gtest_brief=1 || fail "the interface tests built against the installation failed"

echo "install_test: the installation collides with no bond and builds the examples, a consumer and the manual's programs both ways, and the interface tests"
