// Qt's own Russian texts: the standard buttons of message boxes ("Да", "Нет", "Отмена", "ОК")
// and the file dialog, which Qt otherwise shows in English.
#pragma once

#include <QString>

#include <memory>

class QTranslator;

namespace vorela {

/// Loads Qt's Russian translation from directory (Qt's translation folder when empty) into the
/// running application; nullptr, leaving the English texts, when it cannot be loaded. The texts
/// stay installed as long as the returned translator lives.
[[nodiscard]] std::unique_ptr<QTranslator> installQtTranslation(const QString &directory = {});

} // namespace vorela
