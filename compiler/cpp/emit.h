// The emitters of the c++ command, one for each file it writes, and what they
// share: each returns the file's text for one schema file (NAME.bond).
#pragma once

#include "compiler/ast.h"
#include "compiler/cpp/cpp_names.h"
#include "compiler/cpp/cpp_options.h"
#include "compiler/cpp/printer.h"

#include <string>

namespace certpluck::gbc::cpp {

struct SchemaUnit {
    const Bond& bond;
    std::string name;  // NAME, the file's stem
    const CppOptions& options;
    CppNames names;
};

std::string EnumHeader(const SchemaUnit& unit);
std::string TypesHeader(const SchemaUnit& unit);
std::string TypesSource(const SchemaUnit& unit);
std::string ReflectionHeader(const SchemaUnit& unit);
std::string ApplyHeader(const SchemaUnit& unit);
std::string ApplySource(const SchemaUnit& unit);

// What the emitters share.
void PrintBanner(Printer& printer, const SchemaUnit& unit);
// Includes each imported schema's generated file of this kind ("_types.h").
void PrintImports(Printer& printer, const SchemaUnit& unit, std::string_view suffix);
void OpenNamespace(Printer& printer, const SchemaUnit& unit);
void CloseNamespace(Printer& printer, const SchemaUnit& unit);
// Structs (struct views included) and enums of the file, in its order.
std::vector<const Declaration*> Structs(const Bond& bond);
std::vector<const Declaration*> Enums(const Bond& bond);
// The enumeration type itself, in its _bond_enumerators namespace.
void PrintEnumDefinition(Printer& printer, const Declaration& enumeration);
// The definitions of a record's metadata objects: in the header for a
// generic record, in the source file for any other.
void PrintMetadataDefinitions(Printer& printer, const SchemaUnit& unit, const Declaration& structure);

}  // namespace certpluck::gbc::cpp
