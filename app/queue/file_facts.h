#pragma once
// What a table row shows about a queued file, read once when the file is queued.
#include <QHash>
#include <QLocale>
#include <QMimeDatabase>
#include <QString>

#include <filesystem>

namespace plainquill {

struct FileFacts {
    QString name;     // file name without its folder
    QString sizeText; // FormatSize of the length; empty when unreadable
    QString typeText; // the type's description; empty when unreadable
    QString modified; // short date, a blank, long time; the time left out at midnight
};

// Describes files for the table. Keeps the type descriptions it has looked up, since a queue
// of thousands of files has only a handful of endings.
class FileDescriber {
public:
    explicit FileDescriber(QLocale locale = QLocale());

    // Never fails: a value that cannot be read is left empty, so the row still exists.
    FileFacts describe(const std::filesystem::path& path);

    QString modifiedText(const QDateTime& when) const;

private:
    QString typeDescription(const QString& path);

    QLocale m_locale;
    QString m_longTimeFormat;
    QChar m_decimalSeparator;
    QMimeDatabase m_mimeTypes;
    QHash<QString, QString> m_typeBySuffix;
    mutable QHash<qint64, QString> m_dateByDay; // a tree of files shares few days
};

} // namespace plainquill
