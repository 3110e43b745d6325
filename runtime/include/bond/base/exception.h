// The runtime's exception classes. Everything the runtime throws belongs to the
// standard exception family, so a caller can report any failure through what().
// Each kind of failure is raised by one out-of-line function below, so that its
// message text is composed in exactly one place.
#pragma once

#include <cstdint>
#include <exception>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>

namespace bond {

// The part of an exception that can travel: its message, public so that it can
// be read, set and serialized like any record field.
struct SerializableExceptionBase {
    std::string message;

    friend bool operator==(const SerializableExceptionBase&, const SerializableExceptionBase&) = default;
};

// what() returns `message`, so a change to `message` shows in what().
class Exception : public std::exception, public SerializableExceptionBase {
public:
    const char* what() const noexcept override { return message.c_str(); }

protected:
    Exception() noexcept = default;
    // A null `text` stands for an empty message.
    explicit Exception(const char* text) : SerializableExceptionBase{text ? text : ""} {}
    explicit Exception(std::string text) : SerializableExceptionBase{std::move(text)} {}
};

// Malformed or unsupported data, and misuse of the data model.
class CoreException : public Exception {
public:
    CoreException(const char* text) : Exception(text) {}
    explicit CoreException(std::string text) : Exception(std::move(text)) {}
};

// A read that needs more bytes than the input holds.
class StreamException : public Exception {
public:
    StreamException(const char* text) : Exception(text) {}
    explicit StreamException(std::string text) : Exception(std::move(text)) {}
};

// Two schemas that cannot describe the same data.
class SchemaValidateException : public CoreException {
public:
    SchemaValidateException(const char* text) : CoreException(text) {}
    explicit SchemaValidateException(std::string text) : CoreException(std::move(text)) {}
};

// Throws `exception` (a type constructible from a std::string) with a message
// put together as on a stream: BOND_THROW(bond::CoreException, "got " << n).
#define BOND_THROW(exception, message)                                                                                 \
    do {                                                                                                               \
        ::std::ostringstream bond_throw_message_;                                                                      \
        bond_throw_message_ << message;                                                                                \
        throw exception(bond_throw_message_.str());                                                                    \
    } while (false)

namespace detail {

// StreamException "Read out of bounds: N bytes requested, offset: P, length: L".
[[noreturn]] void ThrowReadOutOfBounds(uint32_t requested, uint32_t offset, uint32_t length);

// CoreException for a type code that names no value type.
[[noreturn]] void ThrowUnknownDataType();

// CoreException when nesting goes deeper than the decoder allows.
[[noreturn]] void ThrowMaxRecursionDepthExceeded();

// CoreException "Unexpected value VALUE for enum NAME".
[[noreturn]] void ThrowUnexpectedEnumValue(std::string_view value, std::string_view enum_name);

// CoreException for a required field missing from a struct.
[[noreturn]] void ThrowRequiredFieldMissing(uint16_t id, std::string_view qualified_name);

// CoreException for a payload whose struct ends inside a base part of the
// record being read.
[[noreturn]] void ThrowUnexpectedStructStop(std::string_view qualified_name);

// CoreException "Field value is 'nothing'" for the value of a maybe that holds
// none.
[[noreturn]] void ThrowNothing();

// std::overflow_error for a size computation that does not fit 32 bits.
[[noreturn]] void ThrowMultiplicationOverflow();

// std::length_error for a container with more elements than a count can state.
[[noreturn]] void ThrowContainerTooLarge();

// CoreException for a run-time schema that refers to a definition it lacks.
[[noreturn]] void ThrowInvalidRuntimeSchema();

// CoreException for a marshaling header or reader kind that is not supported.
[[noreturn]] void ThrowUnsupportedProtocol();

// std::overflow_error for a view that would end past the top of the address space.
[[noreturn]] void ThrowPointerOverflow();

// The failures of taking a sub-range of a blob.
[[noreturn]] void ThrowAdditionOverflow();
[[noreturn]] void ThrowBlobOffsetTooLarge();
[[noreturn]] void ThrowBlobRangeTooLarge();

// std::length_error "Output buffer cannot grow past 4294967295 bytes".
[[noreturn]] void ThrowOutputBufferTooLarge();

// std::length_error for a string or struct too long for its 32-bit length on the wire.
[[noreturn]] void ThrowLengthTooLarge(uint64_t length);

// CoreException when a Compact Binary v2 writer meets more structs than the
// counting pass recorded lengths for.
[[noreturn]] void ThrowStructLengthsExhausted();

// CoreException when a Simple Binary reader is asked to skip a value whose
// layout only a schema can tell.
[[noreturn]] void ThrowSimpleBinarySkip();

// CoreException when a Simple Binary payload is to be read as a record that
// is only declared, whose layout nothing tells.
[[noreturn]] void ThrowUntaggedPayloadWithoutSchema();

// CoreException when a tagged payload known by a run-time schema alone is to
// be re-encoded into an untagged protocol, whose every field only a record
// could supply.
[[noreturn]] void ThrowUntaggedTargetWithoutRecord();

// CoreException when a walk needs a record of its own of a type whose
// allocator has no default, which it has none to give.
[[noreturn]] void ThrowRecordNeedsAllocator();

}  // namespace detail
}  // namespace bond
