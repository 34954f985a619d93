#include "organizer/ShedulerForm.h"

ShedulerForm::ShedulerForm(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("ShedulerForm"));
    setWindowTitle(QStringLiteral("Reminder"));
}
