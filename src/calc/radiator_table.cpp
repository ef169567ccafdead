#include "radiator_table.h"

#include "common/errors.h"

namespace hk {

RadiatorEntry& RadiatorTable::at(int n) {
    if (!IsValidNumber(n)) {
        throw SubscriptError();
    }
    return entries_[static_cast<std::size_t>(n - 1)];
}

const RadiatorEntry& RadiatorTable::at(int n) const {
    if (!IsValidNumber(n)) {
        throw SubscriptError();
    }
    return entries_[static_cast<std::size_t>(n - 1)];
}

} // namespace hk
