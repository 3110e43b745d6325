// The serialization entry points of the secrets package records: for each
// record, every transform over every value form and binary protocol. The
// runtime's templates find them by argument-dependent lookup, and reach these
// records through nothing else.
#pragma once

#include "secrets_package_reflection.h"

#include <bond/core/entry_points.h>

namespace Trel::Security::Vaskor {

BOND_FOR_EACH_ENTRY_POINT(CertMapping, BOND_DECLARE_ENTRY_POINT)
BOND_FOR_EACH_ENTRY_POINT(ManagedCertificatesPackage, BOND_DECLARE_ENTRY_POINT)
BOND_FOR_EACH_ENTRY_POINT(SupportingCert, BOND_DECLARE_ENTRY_POINT)
BOND_FOR_EACH_ENTRY_POINT(SecretsPackage, BOND_DECLARE_ENTRY_POINT)

}  // namespace Trel::Security::Vaskor
