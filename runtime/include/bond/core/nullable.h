// The public name of schema/nullable.h. The layers below core/ include that file
// itself (see runtime/README.md).
#pragma once

#include <bond/schema/nullable.h>
