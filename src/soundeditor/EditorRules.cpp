// Save and close rules of the sound editor.
#include "soundeditor/EditorRules.h"

namespace vorela {

bool saveSkipped(const EditorFlags &flags)
{
    return flags.newLexeme() && flags.soundSize == 0;
}

bool needsSilencePadding(const EditorFlags &flags)
{
    return !flags.newLexeme() && flags.soundSize == 0;
}

bool closeNeedsQuestion(const EditorFlags &flags)
{
    if (saveSkipped(flags))
        return false;
    // Until the operator has heard or recorded something there is nothing to lose.
    if (!flags.audioStarted)
        return false;
    if (flags.modified)
        return true;
    if (flags.newFromFile)
        return !flags.savedOnce;
    return flags.importPending;
}

} // namespace vorela
