#include "preferences/TextJoinPreference.h"

namespace sorvu {

QString TextJoinPreference::separator() const {
    return fixedSeparator(choice).value_or(customSeparator);
}

} // namespace sorvu
