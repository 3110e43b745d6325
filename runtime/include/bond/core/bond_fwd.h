// Declarations that the runtime's headers refer to before they are defined.
#pragma once

namespace bond {

class InputBuffer;

template <typename Buffer>
class CompactBinaryReader;

// A list of reader types: the protocols a transform may meet.
template <typename... Readers>
struct Protocols {};

using BuiltInProtocols = Protocols<CompactBinaryReader<InputBuffer>>;

template <typename T>
class RequiredFieldValiadator;

template <typename T, typename Protocols = BuiltInProtocols,
          typename Validator = RequiredFieldValiadator<T>>
class To;

template <typename T, typename Reader>
class bonded;

}  // namespace bond
