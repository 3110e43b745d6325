// The public name of schema/schema_def.h. The layers below core/ include that file
// itself (see runtime/README.md).
#pragma once

#include <bond/schema/schema_def.h>
