#pragma once

#include <QDialog>

// The settings dialog, hidden until opened from the tray menu.
class SettingsForm : public QDialog
{
    Q_OBJECT
public:
    explicit SettingsForm(QWidget* parent = nullptr);
};
