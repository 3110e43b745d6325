// The enumerations of bond/core/bond_const.bond (BondDataType, ProtocolType).
#pragma once

#include <bond/base/bond_const.h>
