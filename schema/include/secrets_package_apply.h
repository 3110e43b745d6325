// The serialization entry points of the secrets package records: for each
// record, every transform over every value form and binary protocol, in which
// the runtime's templates are instantiated once (secrets_package_apply.cpp).
// Every Apply of one of these pairings reaches them; including this header also
// brings the runtime's whole interface (bond/core/bond.h).
#pragma once

#include "secrets_package_reflection.h"

#include <bond/core/bond.h>
#include <bond/core/entry_points.h>

namespace Trel::Security::Vaskor {

BOND_FOR_EACH_ENTRY_POINT(CertMapping, BOND_DECLARE_ENTRY_POINT)
BOND_FOR_EACH_ENTRY_POINT(ManagedCertificatesPackage, BOND_DECLARE_ENTRY_POINT)
BOND_FOR_EACH_ENTRY_POINT(SupportingCert, BOND_DECLARE_ENTRY_POINT)
BOND_FOR_EACH_ENTRY_POINT(SecretsPackage, BOND_DECLARE_ENTRY_POINT)

}  // namespace Trel::Security::Vaskor
