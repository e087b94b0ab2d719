// The "Isovist Subdivision" dialog, bound to the core's subdivision of the point isovist.
#pragma once

#include <QDialog>
#include <QWidget>

class IsovistSubdivision;
class QComboBox;
class QLineEdit;
class QTreeWidget;

// The pie diagram: one slice per sector, radius by the square root of the selected measure.
class SubdivisionDiagram : public QWidget {
    Q_OBJECT
  public:
    SubdivisionDiagram(const IsovistSubdivision& subdivision, QWidget* parent = nullptr);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const IsovistSubdivision& subdivision_;
};

class SubdivisionDialog : public QDialog {
    Q_OBJECT
  public:
    SubdivisionDialog(IsovistSubdivision& subdivision, QWidget* parent = nullptr);

    QLineEdit* startAngleField() const { return startAngle_; }
    QLineEdit* countField() const { return count_; }
    QComboBox* measureBox() const { return measure_; }
    QTreeWidget* list() const { return list_; }

    void generate();
    void showSummary();

  private:
    void refill();

    IsovistSubdivision& subdivision_;
    QLineEdit* startAngle_;
    QLineEdit* count_;
    QComboBox* measure_;
    QTreeWidget* list_;
    SubdivisionDiagram* diagram_;
};
