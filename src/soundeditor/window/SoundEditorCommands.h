// The source tree's way into the sound editor: listening, replacing and creating a lexeme's
// sound in the player or from a WAV file, with the greeting phrase's certificate gate.
#pragma once

#include "soundeditor/EditorModes.h"
#include "soundeditor/window/SoundEditorContext.h"

#include <QPointer>
#include <QWidget>

#include <filesystem>
#include <optional>
#include <span>
#include <string>

namespace vorela {

/// A lexeme whose sound the editor saved as new: the node to create.
struct NewLexeme {
    std::string chunkId;
    std::string name; ///< the file's name without extension, or empty when recorded
};

class SoundEditorCommands {
public:
    /// parent owns the editor windows; the context must outlive this object.
    SoundEditorCommands(SoundEditorContext context, QWidget *parent);

    /// Double click on a lexeme: the compact window that plays it once.
    void listen(const std::string &lexemeName, const std::string &chunkId);
    /// "Заменить лексему" / "из пpоигpывателя".
    void replaceInPlayer(const std::string &lexemeName, const std::string &chunkId);
    /// "Создать лексему" / "из пpоигpывателя"; storeChunks are all chunks of the lexeme store.
    /// The new lexeme when the editor saved it, otherwise nothing.
    [[nodiscard]] std::optional<NewLexeme> createInPlayer(std::span<const std::string> storeChunks);
    /// "Создать лексему" / "из файла".
    [[nodiscard]] std::optional<NewLexeme> createFromFile(std::span<const std::string> storeChunks);
    /// "Заменить лексему" / "из файла": the node keeps its chunk; its sound changes on save.
    void replaceFromFile(const std::string &lexemeName, const std::string &chunkId);

    /// The chunk id a new lexeme gets: above every numeric id of the store, free in the bank.
    [[nodiscard]] std::optional<std::string>
    newChunkId(std::span<const std::string> storeChunks) const;

    /// A sound saved as new whose lexeme node could not be written: removes it from the bank
    /// again, so that no sound is left without a node, and tells the operator what happened.
    static void discardNewSound(SoundBank &bank, UiServices &ui, const std::string &caption,
                                const std::string &chunkId);

    /// Opens the editor in mode; false when it could not load its sound. savedAsNew is set from it.
    bool runEditor(SoundEditorMode mode, const std::string &chunkId, const std::string &lexemeName,
                   const std::filesystem::path &file, bool *savedAsNew = nullptr);

private:
    /// Asks for a WAV file; nothing when cancelled.
    [[nodiscard]] std::optional<std::filesystem::path> chooseSoundFile();
    void installGreetingGate(const std::string &caption);

    SoundEditorContext context;
    QPointer<QWidget> parent;
    std::filesystem::path lastFile;
};

} // namespace vorela
