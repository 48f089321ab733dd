// Registers the action-script vocabulary as the XML reader's rule set.
#pragma once

#include "xml_reader.h"

namespace tixgrab {

void registerScriptSchema(XmlReader& reader);

}  // namespace tixgrab
