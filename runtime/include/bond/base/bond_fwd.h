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

// Whether a reader takes part where a list of protocols is looked through; a
// program enables a reader of its own by specializing this.
template <typename Reader>
struct is_protocol_enabled : std::false_type {};

template <typename... Readers>
struct Protocols;

namespace detail {

// The readers of several lists, in order; the lists are only named, never
// instantiated, so a list can be built from parts of itself.
template <typename... Lists>
struct JoinedProtocols {
    using type = Protocols<>;
};
template <typename... Readers>
struct JoinedProtocols<Protocols<Readers...>> {
    using type = Protocols<Readers...>;
};
template <typename... First, typename... Second, typename... Rest>
struct JoinedProtocols<Protocols<First...>, Protocols<Second...>, Rest...>
    : JoinedProtocols<Protocols<First..., Second...>, Rest...> {};

template <typename Reader, bool Keep>
using KeptProtocol = std::conditional_t<Keep, Protocols<Reader>, Protocols<>>;

}  // namespace detail

// A list of reader types: the protocols a payload may be in, in the order that
// unmarshaling tries them. A program extends the built-in list with readers of
// its own: BuiltInProtocols::Append<MyReader<InputBuffer>>.
template <typename... Readers>
struct Protocols {
    template <typename... More>
    using Append = Protocols<Readers..., More...>;

    // The readers enabled, of all listed.
    using FilterEnabled =
        typename detail::JoinedProtocols<detail::KeptProtocol<Readers, is_protocol_enabled<Readers>::value>...>::type;

    // The enabled readers that read from a Buffer.
    template <typename Buffer>
    using FilterBuffer = typename detail::JoinedProtocols<detail::KeptProtocol<
        Readers, is_protocol_enabled<Readers>::value &&
                     std::is_same_v<std::remove_cvref_t<typename Readers::Buffer>, Buffer>>...>::type;
};

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
