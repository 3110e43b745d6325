// bond::RuntimeSchema: a position in a SchemaDef (the whole schema and one type
// in it) shared by the readers that follow it. A SchemaDef may come from
// anywhere, so every reference from a type to a struct definition is checked.
#pragma once

#include <bond/base/detail/boost_shared.h>
#include <bond/base/exception.h>
#include <bond/schema/schema_def.h>

#include <memory>
#include <utility>

namespace bond {

class RuntimeSchema {
public:
    // A struct with no fields, against which everything is passed over.
    RuntimeSchema() : RuntimeSchema(std::make_shared<const SchemaDef>(SchemaDef{{StructDef{}}, TypeDef{}})) {}

    // The schema's root type. Precondition: `schema` is not null.
    RuntimeSchema(std::shared_ptr<const SchemaDef> schema) : _schema(std::move(schema)), _type(&_schema->root) {}
    RuntimeSchema(std::shared_ptr<SchemaDef> schema)
        : RuntimeSchema(std::shared_ptr<const SchemaDef>(std::move(schema)))
    {}
    RuntimeSchema(const boost::shared_ptr<const SchemaDef>& schema) : RuntimeSchema(detail::ShareFrom(schema)) {}
    RuntimeSchema(const boost::shared_ptr<SchemaDef>& schema)
        : RuntimeSchema(std::shared_ptr<const SchemaDef>(detail::ShareFrom(schema)))
    {}

    // The root type of `schema` itself, not a copy: it must outlive this object
    // and every RuntimeSchema taken from it.
    explicit RuntimeSchema(const SchemaDef& schema)
        : RuntimeSchema(std::shared_ptr<const SchemaDef>(std::shared_ptr<const SchemaDef>(), &schema))
    {}

    // `type`, which belongs to `parent`'s schema.
    RuntimeSchema(const RuntimeSchema& parent, const TypeDef& type) : _schema(parent._schema), _type(&type) {}

    // The type of `field`, which belongs to `parent`'s schema.
    RuntimeSchema(const RuntimeSchema& parent, const FieldDef& field) : RuntimeSchema(parent, field.type) {}

    const SchemaDef& GetSchema() const noexcept { return *_schema; }
    const TypeDef& GetType() const noexcept { return *_type; }
    BondDataType GetTypeId() const noexcept { return _type->id; }

    // Whether the struct this type names has a base part. Throws CoreException
    // as GetStruct does.
    bool HasBase() const { return GetStruct().base_def.hasvalue(); }

    // The base part of the struct this type names. Throws CoreException when
    // the struct has none, or as GetStruct does.
    RuntimeSchema GetBaseSchema() const
    {
        const StructDef& definition = GetStruct();
        if (!definition.base_def.hasvalue()) {
            detail::ThrowInvalidRuntimeSchema();
        }
        return RuntimeSchema(*this, definition.base_def.value());
    }

    // The type of this container's elements (a map's values), and of a map's
    // keys. Both throw CoreException when the schema leaves it out.
    RuntimeSchema GetElementSchema() const
    {
        if (!_type->element.hasvalue()) {
            detail::ThrowInvalidRuntimeSchema();
        }
        return RuntimeSchema(*this, _type->element.value());
    }
    RuntimeSchema GetKeySchema() const
    {
        if (!_type->key.hasvalue()) {
            detail::ThrowInvalidRuntimeSchema();
        }
        return RuntimeSchema(*this, _type->key.value());
    }

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
