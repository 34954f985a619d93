#pragma once

#include <QWidget>

// The reminder calendar window, hidden until opened from the sidebar.
class ShedulerForm : public QWidget
{
    Q_OBJECT
public:
    explicit ShedulerForm(QWidget* parent = nullptr);
};
