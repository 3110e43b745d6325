// The runtime's public surface in one include.
#pragma once

#include <bond/core/apply.h>
#include <bond/core/blob.h>
#include <bond/core/bonded.h>
#include <bond/core/exception.h>
#include <bond/core/metadata.h>
#include <bond/core/reflection.h>
#include <bond/core/transforms.h>
#include <bond/protocol/compact_binary_reader.h>
#include <bond/stream/input_buffer.h>
