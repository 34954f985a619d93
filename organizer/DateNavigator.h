#pragma once

#include <QDate>
#include <QWidget>

class SchedulerControl;

// Three months stacked at the calendar's right; a click brings that day into
// view, the arrows page the months.
class DateNavigator : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kWidth = 168;

    DateNavigator(SchedulerControl& owner, QWidget* parent);
    QDate firstMonth() const { return m_firstMonth; }
    // Keeps the main view's date among the three months.
    void follow(const QDate& date);
    QRect monthRect(int index) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QRect arrowRect(int direction) const;

    SchedulerControl& m_owner;
    QDate m_firstMonth;
};
