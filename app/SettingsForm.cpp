#include "app/SettingsForm.h"

SettingsForm::SettingsForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SettingsForm"));
    setWindowTitle(QStringLiteral("Settings"));
}
