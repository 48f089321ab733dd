// The named character entities the XML reader knows.
#pragma once

#include <string_view>

namespace tixgrab {

// The character code of a named entity (names compared exactly), or -1.
int entityCode(std::string_view name);

}  // namespace tixgrab
