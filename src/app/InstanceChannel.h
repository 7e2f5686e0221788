// How a second copy of the editor, started on a data directory that already has one, asks the
// running copy to bring its window to the front before it exits.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include <filesystem>

class QLocalServer;
class QLocalSocket;
class QWidget;

namespace vorela {

class InstanceChannel : public QObject {
    Q_OBJECT

public:
    /// Listens for the copies started on dataDirectory and raises window at each request.
    InstanceChannel(const std::filesystem::path &dataDirectory, QWidget &window);

    /// False when the channel could not be opened; the editor then runs without it.
    [[nodiscard]] bool isListening() const;
    /// Why listening failed, for the log.
    [[nodiscard]] QString errorText() const;

    /// Asks the copy running on dataDirectory to come to the front; false when none answered.
    /// Needs a QCoreApplication.
    [[nodiscard]] static bool requestFront(const std::filesystem::path &dataDirectory);

private:
    void acceptCaller();
    void readRequest(QLocalSocket &caller);
    void bringWindowToFront();

    QLocalServer *server = nullptr;
    QPointer<QWidget> window;
};

} // namespace vorela
