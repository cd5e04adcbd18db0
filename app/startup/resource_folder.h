#pragma once
// Where the program's own files (the help page in help/, the button sounds in resources/) are.
// A build tree keeps them beside the program; an installed program keeps them in
// <prefix>/share/plainquill, beside its bin/ folder. Both are found from the program's own
// folder, never from the source tree or the working folder.
#include <QString>
#include <QStringList>

namespace plainquill {

// `programFolder`: the folder the running program lies in.
QString resourceFolder(const QString& programFolder);

// The files the program ships in `folder` (its help page and button sounds) that are not there:
// a broken installation, which the program names at start rather than failing quietly later.
QStringList missingResources(const QString& folder);

} // namespace plainquill
