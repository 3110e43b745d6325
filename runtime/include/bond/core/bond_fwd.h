// Declarations that the runtime's headers refer to before they are defined.
#pragma once

namespace bond {

class InputBuffer;
class ProtocolReader;

template <typename Buffer>
class CompactBinaryReader;
template <typename Buffer>
class FastBinaryReader;
template <typename Buffer>
class SimpleBinaryReader;

// A list of reader types: the protocols a payload may be in, in the order that
// unmarshaling tries them.
template <typename... Readers>
struct Protocols {};

using BuiltInProtocols = Protocols<CompactBinaryReader<InputBuffer>, SimpleBinaryReader<InputBuffer>,
                                   FastBinaryReader<InputBuffer>>;

template <typename T>
class RequiredFieldValiadator;

template <typename T, typename Protocols = BuiltInProtocols,
          typename Validator = RequiredFieldValiadator<T>>
class To;

template <typename T, typename Reader = ProtocolReader>
class bonded;

class Null;
class InitSchemaDef;

template <typename Writer, typename Protocols = BuiltInProtocols>
class Serializer;

template <typename Writer, typename Protocols = BuiltInProtocols>
class Marshaler;

}  // namespace bond
