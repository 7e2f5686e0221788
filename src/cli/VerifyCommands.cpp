// `vorela verify IN.wav`: whether a WAV file's sound carries a valid certificate of a trusted key.
#include "cli/CliCommands.h"

#include "soundbank/LexemeReader.h"
#include "verification/Verification.h"

#include <iostream>

namespace vorela {

int verifyCommand(CliContext &context, const CliArguments &arguments)
{
    if (arguments.size() != 1)
        return cliFailure("usage: vorela verify IN.wav");
    const LexemeSound sound = readLexeme(arguments[0], "data", FormatCheck::BankFormat);
    if (!sound.ok())
        return cliFailure(arguments[0] + ": not a WAV file of PCM mono 8000 Hz 16-bit sound (" +
                          std::string(describeLexemeError(sound.error)) + ")");
    const Verification verification(context.dataDirectory);
    if (!verification.VerifySound(std::span<const std::int16_t>(sound.samples))) {
        std::cout << "not certified\n";
        return 2;
    }
    std::cout << "certified\n";
    return 0;
}

} // namespace vorela
