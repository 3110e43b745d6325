// A list of bonded<Shape> holding circles and squares: each element goes in
// as its own type's payload or record, is read as a Shape to learn its kind,
// and is then read whole as what it is.
#include "shapes_apply.h"
#include "shapes_reflection.h"

#include <bond/core/bond.h>
#include <bond/stream/output_buffer.h>

#include <iostream>

namespace {

template <typename T>
bond::CompactBinaryReader<bond::InputBuffer> PayloadOf(const T& record)
{
    bond::OutputBuffer output;
    bond::CompactBinaryWriter<bond::OutputBuffer> writer(output);
    bond::Serialize(record, writer);
    return bond::CompactBinaryReader<bond::InputBuffer>(output.GetBuffer());
}

void Describe(const bond::bonded<shapes::Shape>& item)
{
    const shapes::Shape shape = item.Deserialize();
    if (shape.kind == "circle") {
        std::cout << "circle of radius " << bond::bonded<shapes::Circle>(item).Deserialize().radius << '\n';
    } else {
        std::cout << "square of side " << bond::bonded<shapes::Square>(item).Deserialize().side << '\n';
    }
}

}  // namespace

int main()
{
    shapes::Circle circle;
    circle.kind = "circle";
    circle.radius = 1.5;
    shapes::Square square;
    square.kind = "square";
    square.side = 4;

    shapes::Drawing drawing;
    drawing.shapes.push_back(bond::bonded<shapes::Circle>(PayloadOf(circle)));
    drawing.shapes.push_back(bond::bonded<shapes::Square>(square));

    shapes::Drawing read;
    bond::Deserialize(PayloadOf(drawing), read);
    std::cout << read.shapes.size() << " shapes\n";
    for (const auto& item : read.shapes) {
        Describe(item);
    }

    // A record held in memory, seen as its base and read whole again.
    Describe(bond::bonded<shapes::Square>(square));

    // A payload known only by its run-time schema, given its type.
    const bond::bonded<void> described(PayloadOf(circle), bond::GetRuntimeSchema<shapes::Circle>());
    std::cout << "described circle of radius " << bond::bonded<shapes::Circle>(described).Deserialize().radius << '\n';
}
