// The public name of schema/reflection.h. The layers below core/ include that file
// itself (see runtime/README.md).
#pragma once

#include <bond/schema/reflection.h>
