// Compact Binary v1 of a SecretsPackage, written here from the format rather
// than with the library's writers, so that checking the library's serializer
// against it compares two independent encoders.
#pragma once

#include <bond/core/blob.h>

#include "secrets_package_types.h"

// The bytes bond::Serialize writes for `package` with a Compact Binary v1
// writer: fields in ordinal order, optional fields holding their default
// (empty, zero, Unknown) left out, nested structs always written.
bond::blob EncodeCompactV1(const Trel::Security::Vaskor::SecretsPackage& package);
