// Every modal interaction of the program: message boxes, the open-file dialog and sub-dialogs.
// The editor shows them with Qt, the command-line tool prints them, tests answer from a script.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vorela {

enum class MessageIcon { None, Information, Warning, Question, Error };

enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };

enum class MessageAnswer { Ok, Cancel, Yes, No, Retry };

struct MessageRequest {
    std::string caption;
    std::string text;
    MessageIcon icon = MessageIcon::Warning;
    MessageButtons buttons = MessageButtons::Ok;
    MessageAnswer defaultAnswer = MessageAnswer::Ok;
};

struct FileFilter {
    std::string label;   // "Звуковые файлы(*.wav)"
    std::string pattern; // "*.wav"
};

struct OpenFileRequest {
    std::string title;
    std::vector<FileFilter> filters;
    std::filesystem::path startPath; // a folder, or the last file chosen
};

/// Asking where to save takes the same fields; startPath may name the file proposed.
using SaveFileRequest = OpenFileRequest;

/// A sub-dialog run modally; the Qt side wraps a QDialog, tests act on it from a script.
class ModalDialog {
public:
    virtual ~ModalDialog() = default;
    /// The dialog's class name ("FormSumma"), by which a script expects it.
    [[nodiscard]] virtual std::string dialogName() const = 0;
    /// Runs the dialog until it closes and returns its result code.
    virtual int exec() = 0;
};

/// The answer that changes nothing: what a message box closed with Escape, or one nobody can see,
/// gives.
[[nodiscard]] MessageAnswer safestAnswer(MessageButtons buttons);

class UiServices {
public:
    virtual ~UiServices() = default;
    /// Shows a message and returns the button pressed.
    virtual MessageAnswer showMessage(const MessageRequest &request) = 0;
    /// Asks for a file to open; empty when the user cancelled.
    virtual std::optional<std::filesystem::path> chooseOpenFile(const OpenFileRequest &request) = 0;
    /// Asks for a file to save to; empty when the user cancelled. Where nobody can be asked
    /// (the tool, benchmarks) it is cancelled.
    virtual std::optional<std::filesystem::path> chooseSaveFile(const SaveFileRequest &request);
    /// Runs a sub-dialog modally and returns its result code.
    virtual int runDialog(ModalDialog &dialog) = 0;
};

} // namespace vorela
