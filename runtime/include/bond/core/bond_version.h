// The public name of base/bond_version.h. The layers below core/ include that file
// itself (see runtime/README.md).
#pragma once

#include <bond/base/bond_version.h>
