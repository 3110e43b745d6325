// bond.bond's records are serialized through the runtime's templates; no entry points of their own.
#pragma once

#include <bond/core/bond_reflection.h>
