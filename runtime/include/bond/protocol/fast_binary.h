// Fast Binary ("MF"), version 1: the reader and the writer. The layout is
// described in detail/fast_binary_reader.h.
#pragma once

#include <bond/protocol/detail/fast_binary_reader.h>
#include <bond/protocol/detail/fast_binary_writer.h>
