// The one place where the tool interprets its input: a secrets package in
// Compact Binary version 1, with no marshaling header, starting at the first byte.
#pragma once

#include <span>

namespace certpluck {

// Decodes one SecretsPackage from `input` and points `output` at the bytes of
// its UnmanagedCertsData field. The certificate bytes are not copied: `output`
// refers into `input`'s storage and is valid for as long as that storage is.
// Every field of the package is decoded, so a package cut short anywhere fails
// as a whole. Throws bond::StreamException, bond::CoreException or
// std::overflow_error; `output` is left untouched when it throws.
// Precondition: input.size() < 2^32 (the decoder's view length is 32 bits).
void ExtractUnmanagedCerts(std::span<const char> input, std::span<const char>& output);

}  // namespace certpluck
