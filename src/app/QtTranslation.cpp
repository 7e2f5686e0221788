#include "app/QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace vorela {

namespace {

// Qt's Russian texts keep the OK button in Latin letters; beside "Да" and "Отмена" the operator
// reads it in Cyrillic.
class RussianQtTexts : public QTranslator {
public:
    QString translate(const char *context, const char *sourceText, const char *disambiguation,
                      int n) const override
    {
        if (qstrcmp(context, "QPlatformTheme") == 0 && qstrcmp(sourceText, "OK") == 0)
            return QStringLiteral("ОК");
        return QTranslator::translate(context, sourceText, disambiguation, n);
    }
};

} // namespace

std::unique_ptr<QTranslator> installQtTranslation(const QString &directory)
{
    const QString folder =
        directory.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : directory;
    std::unique_ptr<QTranslator> translator = std::make_unique<RussianQtTexts>();
    if (!translator->load(QStringLiteral("qtbase_ru"), folder))
        return nullptr;
    if (!QCoreApplication::installTranslator(translator.get()))
        return nullptr;
    return translator;
}

} // namespace vorela
