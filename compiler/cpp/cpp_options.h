// What the c++ command's flags ask of the generated code.
#pragma once

#include <string>
#include <vector>

namespace certpluck::gbc::cpp {

enum class Protocol { compact, fast, simple };

// A schema namespace written as another C++ namespace (--namespace).
struct NamespaceMapping {
    std::string schema;  // dotted, as in the schema
    std::string cpp;     // as C++ writes it, "a::b"
    bool operator==(const NamespaceMapping&) const = default;
};

// An alias written as a C++ type of one's own (--using): "{0}", "{1}"... in
// the template stand for the alias's arguments.
struct AliasMapping {
    std::string alias;  // the alias's name, or its dotted qualified name
    std::string cpp_template;
    bool operator==(const AliasMapping&) const = default;
};

struct CppOptions {
    std::vector<NamespaceMapping> namespaces;
    std::vector<AliasMapping> aliases;
    // Each included by the types header, as written ("<a.h>", "\"b.h\"").
    std::vector<std::string> headers;
    bool enum_header = false;
    // The protocols the entry points serve; all three when empty.
    std::vector<Protocol> apply;
    // Put before each entry point's declaration, for a library's exports.
    std::string export_attribute;
    bool banner = true;
    bool type_aliases = false;
    // The allocator of the records' strings and containers (--allocator, as
    // written: "my::alloc<char>"), empty for the standard one; with it, records
    // take the allocator in their constructors.
    std::string allocator;
    // Copy and move constructors that take the allocator too (--alloc-ctors).
    bool alloc_ctors = false;
    // The strings and containers hand their allocator down to their elements
    // through std::scoped_allocator_adaptor (--scoped-alloc).
    bool scoped_alloc = false;
    bool operator==(const CppOptions&) const = default;
};

}  // namespace certpluck::gbc::cpp
