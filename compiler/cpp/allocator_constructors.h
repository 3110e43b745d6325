// What a record gets under --allocator: constructors that build its strings,
// containers and records (its base too) from one allocator, and under
// --alloc-ctors the copy and move that put the copy into a given allocator,
// which std::scoped_allocator_adaptor calls for the records in a container.
#pragma once

#include "compiler/cpp/emit.h"

namespace certpluck::gbc::cpp {

// Whether the record's default constructor would need a default-constructed
// allocator; it is then written as a template, so that it is compiled only
// where used and an allocator without a default leaves the rest usable.
// Whether a text field's default is given in the record's constructors rather
// than beside the member: a default beside it would make the text with a
// default-constructed allocator wherever the record is defined.
bool TextDefaultInConstructors(const SchemaUnit& unit, const Field& field);

// A constructor whose body is empty, with its initializers ("name(arguments)",
// the base first) one a line.
void PrintConstructor(Printer& printer, const std::string& signature, const std::vector<std::string>& initializers);

bool DefaultNeedsAllocator(const SchemaUnit& unit, const Declaration& structure);

void PrintAllocatorConstructors(Printer& printer, const SchemaUnit& unit, const Declaration& structure);

}  // namespace certpluck::gbc::cpp
