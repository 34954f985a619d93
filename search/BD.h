#pragma once

#include <QObject>

// The connection to the file index, shared by the results table and pages.
class BD : public QObject
{
    Q_OBJECT
public:
    explicit BD(QObject* parent = nullptr);
};
