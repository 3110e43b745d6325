// The packages the benchmark measures: records built in memory with the
// library's types, with deterministic content, in four shapes that stress
// different sides of the encoding.
#pragma once

#include <bond/core/blob.h>

#include "secrets_package_types.h"

#include <string>
#include <vector>

struct PackageShape {
    std::string name;
    Trel::Security::Vaskor::SecretsPackage record;
    // The record in Compact Binary v1, written by reference_encoding.h rather
    // than by the library.
    bond::blob compact_v1;
};

// typical, list-heavy, text-heavy, bundle: in the order they are measured.
const std::vector<std::string>& ShapeNames();

// Builds the shape called `name`, one of ShapeNames(). Every call builds the
// same bytes.
PackageShape MakeShape(const std::string& name);
