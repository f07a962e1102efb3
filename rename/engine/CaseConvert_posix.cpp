// Native builds exist for the portable tests; they use the portable tables.
#include "engine/CaseConvert.h"

namespace rn {

const CaseConverter& SystemCaseConverter() { return PortableCaseConverter(); }

}  // namespace rn
