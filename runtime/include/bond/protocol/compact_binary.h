// Compact Binary ("CB"), versions 1 and 2: the reader, the writer, and the
// counter that a version 2 writer's first pass writes to. detail/ holds each
// part; the layout is described in detail/compact_binary_reader.h.
#pragma once

#include <bond/protocol/detail/compact_binary_counter.h>
#include <bond/protocol/detail/compact_binary_reader.h>
#include <bond/protocol/detail/compact_binary_writer.h>
