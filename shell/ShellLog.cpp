#include "shell/ShellLog.h"

Q_LOGGING_CATEGORY(lcShell, "lf.shell", QtInfoMsg)
Q_LOGGING_CATEGORY(lcBalloon, "balloon", QtInfoMsg)
