// bond_const.bond holds enumerations alone, which need no entry points.
#pragma once

#include <bond/core/bond_const_types.h>
