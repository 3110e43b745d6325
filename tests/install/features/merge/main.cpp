// An order read as a view that sees only the counts, changed there, and
// merged back: the counts change, the names and the note stay. A view whose
// list no longer matches the order's cannot be merged.
#include "orders_apply.h"
#include "orders_reflection.h"

#include <bond/core/bond.h>
#include <bond/stream/output_buffer.h>

#include <iostream>

using Reader = bond::CompactBinaryReader<bond::InputBuffer>;
using Writer = bond::CompactBinaryWriter<bond::OutputBuffer>;

int main()
{
    orders::Order order;
    order.items.resize(2);
    order.items[0].name = "apple";
    order.items[0].count = 3;
    order.items[1].name = "pear";
    order.items[1].count = 5;
    order.note = "by noon";
    order.gift.name = "card";
    order.gift.count = 1;

    bond::OutputBuffer output;
    Writer writer(output);
    bond::Serialize(order, writer);
    const Reader payload(output.GetBuffer());

    orders::OrderView view;
    bond::Deserialize(payload, view);
    view.items[1].count = 7;
    orders::Count gift = view.gift.Deserialize();
    gift.count = 2;
    view.gift.Merge(gift);

    bond::OutputBuffer merged;
    Writer merged_writer(merged);
    bond::Merge(view, payload, merged_writer);

    orders::Order read;
    bond::Deserialize(Reader(merged.GetBuffer()), read);
    for (const auto& item : read.items) {
        std::cout << item.name << ": " << item.count << '\n';
    }
    std::cout << "gift " << read.gift.name << ": " << read.gift.count << "\nnote: " << read.note << '\n';

    view.items.pop_back();
    bond::OutputBuffer rejected;
    Writer rejected_writer(rejected);
    try {
        bond::Merge(view, payload, rejected_writer);
    } catch (const bond::Exception& error) {
        std::cout << error.what() << '\n';
    }
}
