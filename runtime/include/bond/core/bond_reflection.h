// bond.bond's records come with their reflection.
#pragma once

#include <bond/core/bond_types.h>
