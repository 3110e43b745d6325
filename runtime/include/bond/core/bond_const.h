// The public name of base/bond_const.h. The layers below core/ include that file
// itself (see runtime/README.md).
#pragma once

#include <bond/base/bond_const.h>
