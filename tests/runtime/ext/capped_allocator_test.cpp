// bond::ext::capped_allocator: what it allocates counts against its limit,
// what it frees stops counting (unless told otherwise), its rebinds and copies
// count on the same counter, and a shared counter counts its own bytes too.
#include <bond/ext/capped_allocator.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <new>
#include <vector>

namespace {

using Counter = bond::ext::single_threaded_counter<>;
using Capped = bond::ext::capped_allocator<std::allocator<char>, Counter&>;
using Wide = std::allocator_traits<Capped>::rebind_alloc<uint64_t>;

// Allocates `elements` eight-byte elements, then frees them unless `keep`.
struct Step {
    size_t elements;
    bool keep;
    bool allowed;
};

struct CappedCase {
    const char* name;
    bool subtract_on_deallocate;
    std::vector<Step> steps;
    size_t counted_after;
};

const CappedCase capped_cases[] = {
    {"UpToTheLimit", true, {{8, true, true}}, 64},
    {"PastTheLimit", true, {{9, true, false}}, 0},
    {"ThePartPastTheLimit", true, {{5, true, true}, {4, true, false}, {3, true, true}}, 64},
    {"FreedBytesCountNoMore", true, {{6, false, true}, {6, true, true}}, 48},
    {"FreedBytesStillCountWhenAsked", false, {{6, false, true}, {6, true, false}}, 48},
    {"CountsOverflowingBytesAsPastTheLimit", true, {{SIZE_MAX / 4, true, false}}, 0},
};

class CappedTest : public testing::TestWithParam<CappedCase> {};

TEST_P(CappedTest, CountsAgainstTheLimit)
{
    Counter counter(64);
    Wide wide(Capped(counter, {}, GetParam().subtract_on_deallocate));
    std::vector<std::pair<uint64_t*, size_t>> kept;
    for (const Step& step : GetParam().steps) {
        if (!step.allowed) {
            EXPECT_THROW((void)wide.allocate(step.elements), std::bad_alloc) << step.elements;
            continue;
        }
        uint64_t* data = wide.allocate(step.elements);
        if (step.keep) {
            kept.emplace_back(data, step.elements);
        } else {
            wide.deallocate(data, step.elements);
        }
    }
    EXPECT_EQ(counter.value(), GetParam().counted_after);
    for (const auto& [data, elements] : kept) {
        wide.deallocate(data, elements);
    }
}

INSTANTIATE_TEST_SUITE_P(CappedAllocator, CappedTest, testing::ValuesIn(capped_cases),
                         [](const auto& test) { return std::string(test.param.name); });

TEST(CappedAllocator, ContainersSeeTheLimitAsTheirMaximumSize)
{
    Counter counter(64);
    std::vector<uint64_t, Wide> values{Wide(Capped(counter))};
    EXPECT_EQ(values.get_allocator().max_size(), 8u);
    EXPECT_THROW(values.reserve(9), std::length_error);
    values.reserve(8);
    EXPECT_EQ(counter.value(), 64u);
}

TEST(CappedAllocator, CopiesShareTheCounterItsOwnBytesCountOn)
{
    const bond::ext::capped_allocator<> first(1000);
    const auto own_bytes = first.get_counter().value();
    EXPECT_GT(own_bytes, 0u);
    bond::ext::capped_allocator<> copy = first;
    copy.deallocate(copy.allocate(100), 100);
    char* held = copy.allocate(100);
    EXPECT_EQ(first.get_counter().value(), own_bytes + 100);
    EXPECT_EQ(copy, first);
    EXPECT_NE(copy, bond::ext::capped_allocator<>(1000));
    copy.deallocate(held, 100);
}

TEST(CappedAllocator, ALimitBelowTheCountersOwnBytesFailsAtOnce)
{
    EXPECT_THROW(bond::ext::capped_allocator<>(4), std::bad_alloc);
}

}  // namespace
