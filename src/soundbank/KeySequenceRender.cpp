#include "soundbank/KeySequenceRender.h"

#include "stores/KeySequence.h"

#include <algorithm>

namespace vorela {

RenderedSpeech renderKeySequence(const std::filesystem::path &bank,
                                 std::span<const std::string> keys,
                                 const GreetingCheck &greetingCheck, FormatCheck check)
{
    RenderedSpeech speech;
    for (const std::string &key : keys) {
        if (keyKind(key) == KeyKind::Marker) {
            if (const std::optional<std::uint64_t> marker = markerHandle(key))
                speech.items.push_back({speech.samples.size(), *marker});
            continue;
        }
        if (keyKind(key) != KeyKind::Chunk)
            continue;
        const LexemeSound sound = readSpokenLexeme(bank, key, check, greetingCheck);
        if (!sound.ok()) {
            speech.samples.clear();
            speech.failure = sound.error;
            speech.error = "lexeme '" + key + "' in " + bank.string() + ": " +
                           std::string(describeLexemeError(sound.error));
            return speech;
        }
        speech.format = sound.format;
        speech.samples.insert(speech.samples.end(), sound.samples.begin(), sound.samples.end());
    }
    return speech;
}

std::optional<std::uint64_t> itemAt(std::span<const ItemStart> items, std::size_t sample)
{
    const auto after = std::upper_bound(
        items.begin(), items.end(), sample,
        [](std::size_t position, const ItemStart &item) { return position < item.sample; });
    if (after == items.begin())
        return std::nullopt;
    return std::prev(after)->marker;
}

} // namespace vorela
