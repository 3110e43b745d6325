// Encodings that several protocols share: zigzag integers and text.
#pragma once

#include <bond/protocol/detail/text.h>
#include <bond/protocol/detail/zigzag.h>
