// `vorela verify IN.wav`: whether a WAV file's sound carries a valid certificate of a trusted key.
#include "cli/CliCommands.h"

#include "verification/PcmWav.h"
#include "verification/Verification.h"

#include <iostream>

namespace vorela {

int verifyCommand(CliContext &context, const CliArguments &arguments)
{
    if (arguments.size() != 1)
        return cliFailure("usage: vorela verify IN.wav");
    const PcmWavContent sound = readPcmWav(arguments[0]);
    if (!sound.error.empty())
        return cliFailure(arguments[0] + ": " + sound.error);
    const Verification verification(context.dataDirectory);
    if (!verification.VerifySound(std::span<const std::int16_t>(sound.samples))) {
        std::cout << "not certified\n";
        return 2;
    }
    std::cout << "certified\n";
    return 0;
}

} // namespace vorela
