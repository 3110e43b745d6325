// The public name of base/exception.h. The layers below core/ include that file
// itself (see runtime/README.md).
#pragma once

#include <bond/base/exception.h>
