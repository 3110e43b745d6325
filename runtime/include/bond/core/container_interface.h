// The public name of schema/container_traits.h, where the layers below core/
// find the traits too.
#pragma once

#include <bond/schema/container_traits.h>
