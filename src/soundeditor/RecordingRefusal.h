// What the operator reads when a recording does not start: which input failed and what to do.
#pragma once

#include "platform/AudioDevice.h"

#include <string>
#include <string_view>

namespace vorela {

/// The message for a recording that answered started (anything but Started) on the input named
/// inputName, which is empty when the system has no input at all.
[[nodiscard]] std::string recordingRefusalText(AudioStart started, std::string_view inputName);

} // namespace vorela
