// Fast Binary ("MF"), version 1: the reader and the writer. The layout is
// described in detail/fast_binary_reader.h.
#pragma once

#include <bond/protocol/detail/fast_binary_reader.h>
#include <bond/protocol/detail/fast_binary_writer.h>

// A reader passes over a struct by walking it, so the walks come with it: a
// protocol's header may be all a program includes.
#include <bond/core/apply.h>
