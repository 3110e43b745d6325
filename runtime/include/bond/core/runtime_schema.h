// The public name of schema/runtime_schema.h. The layers below core/ include that file
// itself (see runtime/README.md).
#pragma once

#include <bond/schema/runtime_schema.h>
