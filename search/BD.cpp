#include "search/BD.h"

BD::BD(QObject* parent) : QObject(parent)
{
    setObjectName(QStringLiteral("BD"));
}
