// Declarations that the runtime's headers refer to before they are defined.
#pragma once

// The protocols' readers are declared there, with their default versions.
#include <bond/base/bond_version.h>

#include <cstdint>
#include <type_traits>

namespace bond {

class InputBuffer;
class ProtocolReader;
class RuntimeSchema;

// A list of reader types: the protocols a payload may be in, in the order that
// unmarshaling tries them.
template <typename... Readers>
struct Protocols {};

using BuiltInProtocols =
    Protocols<CompactBinaryReader<InputBuffer>, SimpleBinaryReader<InputBuffer>, FastBinaryReader<InputBuffer>>;

template <typename T>
class RequiredFieldValiadator;

// The kinds of transform, as a transform says by deriving from one of them.
struct Transform;
struct SerializingTransform;
struct DeserializingTransform;
struct ModifyingTransform;

template <typename T, typename Protocols = BuiltInProtocols, typename Validator = RequiredFieldValiadator<T>>
class To;

template <typename T, typename Reader = ProtocolReader>
class bonded;

template <typename T, typename Reader>
class value;

// True for every bonded<T, Reader>.
template <typename T>
struct is_bonded : std::false_type {};
template <typename T, typename Reader>
struct is_bonded<bonded<T, Reader>> : std::true_type {};

class Null;
class InitSchemaDef;

template <typename Writer, typename Protocols = BuiltInProtocols>
class Serializer;

template <typename Writer, typename Protocols = BuiltInProtocols>
class Marshaler;

}  // namespace bond
