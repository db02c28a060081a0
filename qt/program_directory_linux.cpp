#include "platform.h"

#include <QCoreApplication>
#include <QDir>

QString programDirectory()
{
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
}
