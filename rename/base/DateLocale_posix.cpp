// Native builds exist for the portable tests; they use the fixed locale.
#include "base/DateLocale.h"

namespace rn {

DateLocale SystemDateLocale() { return PortableDateLocale(); }

}  // namespace rn
