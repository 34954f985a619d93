#pragma once

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcShell)
// Every balloon is also logged as one line "balloon: <title> | <text>".
Q_DECLARE_LOGGING_CATEGORY(lcBalloon)
