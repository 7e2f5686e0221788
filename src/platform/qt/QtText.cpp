// The seam between QString (GUI) and UTF-8 std::string (core).
#include "platform/qt/QtText.h"

#include <QByteArray>

namespace vorela {

// A character outside the Basic Multilingual Plane takes two UTF-16 units.
static qsizetype nextCharacter(const QString &text, qsizetype index)
{
    const bool pair = text.at(index).isHighSurrogate() && index + 1 < text.size() &&
                      text.at(index + 1).isLowSurrogate();
    return index + (pair ? 2 : 1);
}

QString toQString(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string toUtf8(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

qsizetype characterCount(const QString &text)
{
    qsizetype count = 0;
    for (qsizetype index = 0; index < text.size(); index = nextCharacter(text, index))
        ++count;
    return count;
}

qsizetype utf16Index(const QString &text, qsizetype characterPosition)
{
    qsizetype index = 0;
    for (qsizetype character = 0; character < characterPosition && index < text.size(); ++character)
        index = nextCharacter(text, index);
    return index;
}

} // namespace vorela
