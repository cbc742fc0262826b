#include "declaration/hand_over.h"

#include <QDir>

QString cmd_arguments(const QString &path)
{
    QString quoted = QDir::toNativeSeparators(path);
    quoted.replace(u'%', QStringLiteral("%%cd:~,%"));
    // /s: cmd drops only the outermost pair of quotes and runs the rest as it is.
    return QStringLiteral("/d /v:off /s /c \"\"%1\"\"").arg(quoted);
}
