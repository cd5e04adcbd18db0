#include "app/queue/file_facts.h"

#include "engine/native_path.h"
#include "engine/queue_rules.h"

#include <QDateTime>
#include <QFileInfo>
#include <QMimeType>

#include <sys/stat.h>

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
    // The same locale by name: formatting through the system locale asks the system again on
    // every call, which a queue of thousands of rows feels.
    : m_locale(locale.name()),
      m_longTimeFormat(longTimeWithoutZone(locale)),
      m_decimalSeparator(locale.decimalPoint().front())
{
}

FileFacts FileDescriber::describe(const std::filesystem::path& path)
{
    // By the path's bytes: its text form may not name the file when the name is not UTF-8.
    FileFacts facts;
    facts.name = displayText(path.filename());
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return facts;
    facts.sizeText = FormatSize(static_cast<std::uint64_t>(info.st_size), m_decimalSeparator);
    facts.typeText = typeDescription(facts.name);
    const qint64 modifiedMs = qint64(info.st_mtim.tv_sec) * 1000 + info.st_mtim.tv_nsec / 1000000;
    facts.modified = modifiedText(QDateTime::fromMSecsSinceEpoch(modifiedMs));
    return facts;
}

QString FileDescriber::modifiedText(const QDateTime& when) const
{
    if (!when.isValid())
        return {};
    const QDate day = when.date();
    auto known = m_dateByDay.constFind(day.toJulianDay());
    if (known == m_dateByDay.constEnd())
        known = m_dateByDay.insert(day.toJulianDay(), m_locale.toString(day, QLocale::ShortFormat));
    QString text = *known;
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
