// Simple Binary ("SP"), versions 1 and 2: the reader and the writer. The layout
// is described in detail/simple_binary_reader.h.
#pragma once

#include <bond/protocol/detail/simple_binary_reader.h>
#include <bond/protocol/detail/simple_binary_writer.h>
