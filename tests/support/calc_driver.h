#pragma once
// The calculation screen's logic with a fake screen and the real listing.

#include "report/listing.h"
#include "support/calc_rig.h"

namespace hk::test {

using CalcDriver = CalcRig<ResultListing>;

} // namespace hk::test
