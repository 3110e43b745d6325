#include <bond/base/exception.h>

#include <stdexcept>

namespace bond::detail {

void ThrowReadOutOfBounds(uint32_t requested, uint32_t offset, uint32_t length)
{
    throw StreamException("Read out of bounds: " + std::to_string(requested) + " bytes requested, offset: " +
                          std::to_string(offset) + ", length: " + std::to_string(length));
}

void ThrowUnknownDataType()
{
    throw CoreException("Unknown data type found");
}

void ThrowMaxRecursionDepthExceeded()
{
    throw CoreException("Max recursion depth exceeded");
}

void ThrowUnexpectedEnumValue(std::string_view value, std::string_view enum_name)
{
    std::string text = "Unexpected value ";
    text += value;
    text += " for enum ";
    text += enum_name;
    throw CoreException(std::move(text));
}

void ThrowRequiredFieldMissing(uint16_t id, std::string_view qualified_name)
{
    std::string text = "De-serialization failed: required field " + std::to_string(id) + " is missing from ";
    text += qualified_name;
    throw CoreException(std::move(text));
}

void ThrowUnexpectedStructStop(std::string_view qualified_name)
{
    std::string text = "De-serialization failed: unexpected struct stop encountered for ";
    text += qualified_name;
    throw CoreException(std::move(text));
}

void ThrowNothing()
{
    throw CoreException("Field value is 'nothing'");
}

void ThrowMultiplicationOverflow()
{
    throw std::overflow_error("Overflow on multiplication");
}

void ThrowContainerTooLarge()
{
    throw std::length_error("Container too large: more than 4294967295 elements");
}

void ThrowInvalidRuntimeSchema()
{
    throw CoreException("Invalid run-time schema: a type refers to a missing definition");
}

void ThrowUnsupportedProtocol()
{
    throw CoreException("Unmarshaling failed: unsupported protocol");
}

void ThrowPointerOverflow()
{
    throw std::overflow_error("Offset caused pointer to overflow");
}

void ThrowAdditionOverflow()
{
    throw std::overflow_error("Overflow on addition");
}

void ThrowBlobOffsetTooLarge()
{
    throw std::invalid_argument("Offset too large; must be less than or equal to length of blob");
}

void ThrowBlobRangeTooLarge()
{
    throw std::invalid_argument("Total of offset and length too large; must be less than or equal to length of blob");
}

void ThrowOutputBufferTooLarge()
{
    throw std::length_error("Output buffer cannot grow past 4294967295 bytes");
}

void ThrowLengthTooLarge(uint64_t length)
{
    throw std::length_error("Length " + std::to_string(length) + " does not fit in 32 bits");
}

void ThrowStructLengthsExhausted()
{
    throw CoreException("Compact Binary v2 writer has no struct length left; the counting pass saw fewer structs");
}

void ThrowSimpleBinarySkip()
{
    throw CoreException("Simple Binary cannot skip a struct or container without its schema");
}

void ThrowUntaggedPayloadWithoutSchema()
{
    throw CoreException("A Simple Binary payload cannot be read without its schema: its record type is only declared");
}

void ThrowUntaggedTargetWithoutRecord()
{
    throw CoreException("A tagged payload known by its run-time schema alone cannot be re-encoded into Simple Binary");
}

void ThrowRecordNeedsAllocator()
{
    throw CoreException("a record whose allocator has no default cannot be made to re-encode through; read it into "
                        "a record made with an allocator, then write that");
}

}  // namespace bond::detail
