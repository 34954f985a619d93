#include "app/Application.h"
#include "platform/SystemInfo.h"

#include <QtGlobal>

int main(int argc, char** argv)
{
    // One line per message, led by its category ("lf.app: ...", "balloon: ...").
    qSetMessagePattern(QStringLiteral("%{if-category}%{category}: %{endif}%{message}"));
    const SystemInfo system;
    return runLanternfly(argc, argv, system);
}
