// The public name of base/metadata.h. The layers below core/ include that file
// itself (see runtime/README.md).
#pragma once

#include <bond/base/metadata.h>
