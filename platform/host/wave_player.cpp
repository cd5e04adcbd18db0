#include "platform/host/wave_player.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <canberra.h>

namespace plainquill::host {

namespace {

// Whether any sound output can exist: a local sound card or a sound server. Without one the
// sound library would only fill the program's error output with its failed attempts.
bool soundOutputExists()
{
    if (QFileInfo::exists(QStringLiteral("/dev/snd")) || qEnvironmentVariableIsSet("PULSE_SERVER"))
        return true;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty()
        && (QFileInfo::exists(runtime + QStringLiteral("/pulse/native"))
            || QFileInfo::exists(runtime + QStringLiteral("/pipewire-0")));
}

} // namespace

QString programRelativePath(std::string_view path, const QString& programFolder)
{
    QString name = QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size()));
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (name.isEmpty() || QDir::isAbsolutePath(name))
        return QDir::cleanPath(name);
    return QDir::cleanPath(programFolder + QLatin1Char('/') + name);
}

WavePlayer::~WavePlayer()
{
    if (m_context)
        ca_context_destroy(m_context);
}

void WavePlayer::play(std::string_view path)
{
    const QString folder = m_resourceFolder.isEmpty() ? QCoreApplication::applicationDirPath() : m_resourceFolder;
    const QString file = programRelativePath(path, folder);
    if (file.isEmpty() || !QFileInfo(file).isFile() || m_unavailable)
        return;
    if (!m_context && (!soundOutputExists() || ca_context_create(&m_context) != CA_SUCCESS)) {
        m_context = nullptr;
        m_unavailable = true; // no service now means none for this window's life: stop asking
        return;
    }
    const QByteArray local = QFile::encodeName(file);
    // The result is deliberately unused: a sound that cannot play is not an error of the click.
    ca_context_play(m_context, 0, CA_PROP_MEDIA_FILENAME, local.constData(), nullptr);
}

} // namespace plainquill::host
