// Writes a Circle in Compact Binary, reads it back and prints what came back.
#include "shapes_apply.h"

#include <bond/protocol/compact_binary.h>
#include <bond/stream/output_buffer.h>

#include <iostream>

int main()
{
    example::shapes::Circle circle;
    circle.name = "wheel";
    circle.points = {0.5, 2.0};
    circle.radius = 3.25;
    circle.tags["spokes"] = 32;

    bond::OutputBuffer output;
    bond::CompactBinaryWriter<bond::OutputBuffer> writer(output);
    bond::Serialize(circle, writer);
    const bond::blob bytes = output.GetBuffer();

    example::shapes::Circle copy;
    bond::Deserialize(bond::CompactBinaryReader<bond::InputBuffer>(bytes), copy);
    std::cout << copy.name << ": radius " << copy.radius << ", colour " << ToString(copy.colour) << ", "
              << copy.tags["spokes"] << " spokes, " << bytes.size() << " bytes, "
              << (copy == circle ? "as written" : "CHANGED") << '\n';
}
