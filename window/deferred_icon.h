#pragma once

#include <QIcon>
#include <QSize>
#include <QString>

// An icon whose picture is read from its file when it is first painted.
// QIcon::addFile decodes the file at once, while the window is still being
// built; this one reports its size without reading, so the layout is the same.
QIcon deferred_icon(const QString &path, QSize size);
