// Writes a log held in types of one's own and reads it back, then reads the
// same bytes as plain numbers: the temperatures travel as degrees Celsius,
// the shelf as a list of its two readings.
#include "custom_types_reflection.h"

#include <bond/core/bond.h>
#include <bond/stream/output_buffer.h>

#include <iostream>
#include <type_traits>

using namespace features::custom_types;

namespace {

template <typename T>
bond::blob Written(const T& record)
{
    bond::OutputBuffer output;
    bond::CompactBinaryWriter<bond::OutputBuffer> writer(output);
    bond::Serialize(record, writer);
    return output.GetBuffer();
}

template <typename T>
T Read(const bond::blob& bytes)
{
    T record;
    bond::CompactBinaryReader<bond::InputBuffer> reader(bytes);
    bond::Deserialize(reader, record);
    return record;
}

}  // namespace

int main()
{
    static_assert(std::is_same_v<Shelf<Reading>, std::array<Reading, 2>>);
    static_assert(std::is_same_v<Celsius, units::Temperature>);

    Log log;
    log.readings[0].place = "cellar";
    log.readings[0].temperature.kelvin = 285.15;
    log.readings[1].place = "attic";
    log.readings[1].temperature.kelvin = 300.65;
    log.peaks["attic"].kelvin = 310.15;

    const bond::blob bytes = Written(log);
    const Log read = Read<Log>(bytes);
    std::cout << "read back equal: " << (read == log ? "yes" : "no") << "\n";
    for (const Reading& reading : read.readings) {
        std::cout << reading.place << ": " << reading.temperature.kelvin << " K\n";
    }

    const PlainLog plain = Read<PlainLog>(bytes);
    std::cout << "readings on the wire: " << plain.readings.size() << "\n";
    for (const PlainReading& reading : plain.readings) {
        std::cout << reading.place << ": " << reading.temperature << " C\n";
    }
    std::cout << "attic peak: " << plain.peaks.at("attic") << " C\n";

    PlainLog three = plain;
    three.readings.push_back(three.readings.front());
    try {
        Read<Log>(Written(three));
        std::cout << "three readings: read\n";
    } catch (const bond::CoreException& error) {
        std::cout << "three readings: " << error.what() << "\n";
    }
    return 0;
}
