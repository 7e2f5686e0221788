// UiServices of the editor: Qt message boxes, the Qt file dialogs and modal sub-dialogs,
// all application-modal over the window given as parent.
#pragma once

#include "platform/UiServices.h"

#include <QPointer>
#include <QWidget>

namespace vorela {

class QtUiServices : public UiServices {
public:
    /// parent may be null until the main window exists (setParent later).
    explicit QtUiServices(QWidget *parent = nullptr);

    void setParent(QWidget *parent) { parentWidget = parent; }

    MessageAnswer showMessage(const MessageRequest &request) override;
    std::optional<std::filesystem::path> chooseOpenFile(const OpenFileRequest &request) override;
    std::optional<std::filesystem::path> chooseSaveFile(const SaveFileRequest &request) override;
    int runDialog(ModalDialog &dialog) override;

private:
    QPointer<QWidget> parentWidget;
};

} // namespace vorela
