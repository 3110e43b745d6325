// Records whose text and containers come from a capped allocator: filled,
// written, read back within a generous limit and refused under a small one,
// and copied into another allocator.
#include "shelf_reflection.h"

#include <bond/core/bond.h>
#include <bond/stream/output_buffer.h>

#include <cstdint>
#include <iostream>
#include <new>
#include <stdexcept>

using Allocator = bond::ext::capped_allocator<>;

namespace {

const char* YesNo(bool value)
{
    return value ? "yes" : "no";
}

bond::blob Written()
{
    Allocator allocator{1u << 20};
    shelf::Shelf shelf{allocator};
    shelf.name = "Kitchen shelf, left of the window";
    // The scoped allocator hands itself down: the books and their strings
    // need no allocator of their own.
    for (const char* title :
         {"A title too long to be kept inside the string", "Short", "Another long title, kept apart"}) {
        shelf::Book& book = shelf.books.emplace_back();
        book.title = title;
        book.tags.emplace_back("cooking");
        book.tags.emplace_back("a tag too long to be kept inside the string");
    }
    shelf.counts.emplace("red", 2);
    shelf.counts.emplace("blue", 1);
    bond::OutputBuffer output;
    bond::CompactBinaryWriter<bond::OutputBuffer> writer(output);
    bond::Serialize(shelf, writer);
    return output.GetBuffer();
}

void ReadWithin(const bond::blob& payload, std::uint32_t limit)
{
    Allocator allocator{limit};
    const auto before = allocator.get_counter().value();
    {
        shelf::Shelf shelf{allocator};
        try {
            bond::Deserialize(bond::CompactBinaryReader<bond::InputBuffer>(payload), shelf);
        } catch (const std::bad_alloc&) {
            std::cout << "limit " << limit << ": refused\n";
            return;
        } catch (const std::length_error&) {
            std::cout << "limit " << limit << ": refused\n";
            return;
        }
        std::cout << "limit " << limit << ": \"" << shelf.name << "\", " << shelf.books.size() << " books, first \""
                  << shelf.books[0].title << "\" with " << shelf.books[0].tags.size() << " tags,";
        for (const auto& [colour, count] : shelf.counts) {
            std::cout << " " << colour << " " << count;
        }
        std::cout << "\n";
        std::cout << "counted while reading: " << YesNo(allocator.get_counter().value() > before) << "\n";

        Allocator other{limit};
        const auto other_before = other.get_counter().value();
        const shelf::Shelf copy(shelf, other);
        std::cout << "copy into another allocator: equal " << YesNo(copy == shelf) << ", counted there "
                  << YesNo(other.get_counter().value() > other_before) << "\n";
    }
    std::cout << "freed when done: " << YesNo(allocator.get_counter().value() == before) << "\n";
}

}  // namespace

int main()
{
    const bond::blob payload = Written();
    ReadWithin(payload, 100000);
    ReadWithin(payload, 200);
}
