// The "Point Isovist" dialog: "Enter a point", x= and y=.
#pragma once

#include <QDialog>

#include "document/PlanTypes.h"

class QLineEdit;

class PointIsovistAtDialog : public QDialog {
    Q_OBJECT
  public:
    PointIsovistAtDialog(const PlanPoint& start, QWidget* parent = nullptr);

    PlanPoint point() const;
    QLineEdit* xField() const { return x_; }
    QLineEdit* yField() const { return y_; }

  private:
    QLineEdit* x_;
    QLineEdit* y_;
};
