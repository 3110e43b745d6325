// The public name of schema/scalar_traits.h, where the layers below core/
// find the trait too.
#pragma once

#include <bond/schema/scalar_traits.h>
