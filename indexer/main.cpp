#include "indexer/IndexCommand.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    qSetMessagePattern(QStringLiteral("%{if-category}%{category}: %{endif}%{message}"));
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("lanternfly-index"));
    return IndexCommand::run(QCoreApplication::arguments());
}
