// bond_const.bond holds enumerations alone, which need no reflection.
#pragma once

#include <bond/core/bond_const_types.h>
