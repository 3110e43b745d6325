// bond::RuntimeSchema: a position in a SchemaDef (the whole schema and one type
// in it) shared by the readers that follow it. A SchemaDef may come from
// anywhere, so every reference from a type to a struct definition is checked.
#pragma once

#include <bond/core/exception.h>
#include <bond/core/schema_def.h>

#include <memory>
#include <utility>

namespace bond {

class RuntimeSchema {
public:
    // The schema's root type.
    explicit RuntimeSchema(std::shared_ptr<const SchemaDef> schema)
        : _schema(std::move(schema)), _type(&_schema->root)
    {}

    // `type`, which belongs to `parent`'s schema.
    RuntimeSchema(const RuntimeSchema& parent, const TypeDef& type) : _schema(parent._schema), _type(&type) {}

    const SchemaDef& GetSchema() const noexcept { return *_schema; }
    const TypeDef& GetType() const noexcept { return *_type; }

    // The definition of the struct this type names. Throws CoreException when the
    // schema has no such definition.
    const StructDef& GetStruct() const
    {
        if (_type->struct_def >= _schema->structs.size()) {
            detail::ThrowInvalidRuntimeSchema();
        }
        return _schema->structs[_type->struct_def];
    }

private:
    std::shared_ptr<const SchemaDef> _schema;
    const TypeDef* _type;
};

}  // namespace bond
