-- The organizer's events. Date-times are local time as "YYYY-MM-DD HH:MM:SS",
-- which sorts and compares correctly as text.
-- Type: 0 single event, 1 recurring series (RecurrenceInfo holds its RRULE),
--       2 changed occurrence of a series, 3 deleted occurrence of a series;
--       occurrences point at their series by ParentID and RecurrenceIndex.
-- Options: bit 1 all-day event, bit 2 reminder on.
-- ReminderDate: when the pending reminder is due; NULL once dismissed.
-- ActualStart: start of the occurrence the pending reminder is for.
CREATE TABLE IF NOT EXISTS Events (
    ID INTEGER PRIMARY KEY AUTOINCREMENT,
    Start TEXT,
    Finish TEXT,
    Caption TEXT,
    Message TEXT,
    Location TEXT,
    Type INTEGER NOT NULL DEFAULT 0,
    Options INTEGER NOT NULL DEFAULT 0,
    State INTEGER NOT NULL DEFAULT 2,
    LabelColor INTEGER NOT NULL DEFAULT 0,
    ParentID INTEGER,
    RecurrenceIndex INTEGER NOT NULL DEFAULT -1,
    RecurrenceInfo TEXT,
    ReminderDate TEXT,
    ReminderMinutes INTEGER NOT NULL DEFAULT 15,
    ResourceID INTEGER,
    ActualStart TEXT,
    ActualFinish TEXT
);
CREATE INDEX IF NOT EXISTS EventsByFinish ON Events (Finish);
CREATE INDEX IF NOT EXISTS EventsByStart ON Events (Start);
CREATE INDEX IF NOT EXISTS EventsByReminder ON Events (ReminderDate);
