#include "app/queue/file_facts.h"

#include "app/queue/queue_rules.h"

#include <QDateTime>
#include <QFileInfo>
#include <QMimeType>

namespace plainquill {

namespace {

// Qt's long time format carries the time zone ("t"); the table shows a wall-clock time only.
QString longTimeWithoutZone(const QLocale& locale)
{
    QString format = locale.timeFormat(QLocale::LongFormat);
    format.remove(QLatin1Char('t'));
    return format.trimmed();
}

} // namespace

FileDescriber::FileDescriber(QLocale locale)
    : m_locale(std::move(locale)), m_longTimeFormat(longTimeWithoutZone(m_locale))
{
}

FileFacts FileDescriber::describe(const QString& path)
{
    const QFileInfo info(path);
    FileFacts facts;
    facts.name = info.fileName();
    if (!info.exists() || !info.isFile())
        return facts;
    facts.sizeText = FormatSize(static_cast<std::uint64_t>(info.size()), m_locale.decimalPoint().front());
    facts.typeText = typeDescription(path);
    facts.modified = modifiedText(info.lastModified());
    return facts;
}

QString FileDescriber::modifiedText(const QDateTime& when) const
{
    if (!when.isValid())
        return {};
    QString text = m_locale.toString(when.date(), QLocale::ShortFormat);
    if (when.time() != QTime(0, 0))
        text += QLatin1Char(' ') + m_locale.toString(when.time(), m_longTimeFormat);
    return text;
}

QString FileDescriber::typeDescription(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (const auto known = m_typeBySuffix.constFind(suffix); known != m_typeBySuffix.constEnd())
        return *known;
    // By name only: reading every file's first bytes would cost a second disk access per row
    // and the type is a description of the ending anyway.
    const QMimeType type = m_mimeTypes.mimeTypeForFile(path, QMimeDatabase::MatchExtension);
    QString description = type.comment();
    if (type.isDefault() && !suffix.isEmpty())
        description = suffix.toUpper() + QLatin1String(" File");
    m_typeBySuffix.insert(suffix, description);
    return description;
}

} // namespace plainquill
