#include "engine/native_path.h"

#include <QFile>

namespace plainquill {

std::filesystem::path pathFromText(const QString& text)
{
    return std::filesystem::path(QFile::encodeName(text).toStdString());
}

QString displayText(const std::filesystem::path& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
}

} // namespace plainquill
