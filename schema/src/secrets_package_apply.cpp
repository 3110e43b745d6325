// The runtime's templates are instantiated for these records here, once.
#include "secrets_package_apply.h"

namespace Trel::Security::Vaskor {

BOND_FOR_EACH_ENTRY_POINT(CertMapping, BOND_DEFINE_ENTRY_POINT)
BOND_FOR_EACH_ENTRY_POINT(ManagedCertificatesPackage, BOND_DEFINE_ENTRY_POINT)
BOND_FOR_EACH_ENTRY_POINT(SupportingCert, BOND_DEFINE_ENTRY_POINT)
BOND_FOR_EACH_ENTRY_POINT(SecretsPackage, BOND_DEFINE_ENTRY_POINT)

}  // namespace Trel::Security::Vaskor
