#include "organizer/OrganizerLog.h"

Q_LOGGING_CATEGORY(lcOrganizer, "lf.organizer", QtInfoMsg)
