#pragma once

#include <QWidget>

// The note editor window, hidden until opened from the sidebar's note.
class NodesForm : public QWidget
{
    Q_OBJECT
public:
    explicit NodesForm(QWidget* parent = nullptr);
};
