#include "organizer/NodesForm.h"

NodesForm::NodesForm(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("NodesForm"));
    setWindowTitle(QStringLiteral("Notes"));
}
