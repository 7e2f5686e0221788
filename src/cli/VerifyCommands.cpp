// `vorela verify IN.wav`: whether a WAV file's sound carries a valid certificate of a trusted key.
#include "cli/CliTree.h"
#include "soundbank/LexemeReader.h"
#include "verification/Verification.h"

#include <iostream>

namespace vorela {

static int verifyCommand(CliContext &context, const std::string &input)
{
    const LexemeSound sound = readLexeme(input, "data", FormatCheck::BankFormat);
    if (!sound.ok())
        return cliFailure(input + ": not a WAV file of PCM mono 8000 Hz 16-bit sound (" +
                          std::string(describeLexemeError(sound.error)) + ")");
    const Verification verification(context.dataDirectory);
    if (!verification.VerifySound(std::span<const std::int16_t>(sound.samples))) {
        std::cout << "not certified\n";
        return 2;
    }
    std::cout << "certified\n";
    return 0;
}

void addVerifyCommand(CLI::App &tool, CliAction &action)
{
    const auto [command, input] = addCliCommand<std::string>(
        tool, action, "verify", "exit 0 when IN.wav is certified by a trusted key, 2 when not",
        verifyCommand);
    command.add_option("IN.wav", input, "a sound in the bank's WAV format")->required();
}

} // namespace vorela
