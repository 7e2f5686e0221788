// Each refusal names the input, so that the operator knows which one to plug in, free or change.
#include "soundeditor/RecordingRefusal.h"

namespace vorela {

static const std::string NoInputAtAllText =
    "Не найдено ни одного устройства записи. Подключите микрофон и начните запись снова.";

static std::string quoted(std::string_view name)
{
    return "Устройство записи «" + std::string(name) + "»";
}

std::string recordingRefusalText(AudioStart started, std::string_view inputName)
{
    if (inputName.empty())
        return NoInputAtAllText;
    switch (started) {
    case AudioStart::Busy:
        return quoted(inputName) +
               " занято другой программой. Закройте её или выберите другое устройство.";
    case AudioStart::Failed:
        return quoted(inputName) +
               " не начало запись. Начните запись снова или выберите другое устройство.";
    case AudioStart::NoDevice:
    case AudioStart::Started:
        break;
    }
    return quoted(inputName) + " не найдено. Подключите его или выберите другое.";
}

} // namespace vorela
