#include "soundbank/KeySequenceRender.h"

#include "stores/KeySequence.h"

namespace vorela {

RenderedSpeech renderKeySequence(const std::filesystem::path &bank,
                                 std::span<const std::string> keys,
                                 const GreetingCheck &greetingCheck)
{
    RenderedSpeech speech;
    for (const std::string &key : keys) {
        if (keyKind(key) != KeyKind::Chunk)
            continue;
        const LexemeSound sound =
            readSpokenLexeme(bank, key, FormatCheck::BankFormat, greetingCheck);
        if (!sound.ok()) {
            speech.samples.clear();
            speech.error = "lexeme '" + key + "' in " + bank.string() + ": " +
                           std::string(describeLexemeError(sound.error));
            return speech;
        }
        speech.samples.insert(speech.samples.end(), sound.samples.begin(), sound.samples.end());
    }
    return speech;
}

} // namespace vorela
