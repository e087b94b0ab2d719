// A push button whose face is filled with its colour; a click opens the colour chooser.
#pragma once

#include <QPushButton>
#include <cstdint>

class ColorButton : public QPushButton {
    Q_OBJECT
  public:
    explicit ColorButton(uint32_t colorRef, QWidget* parent = nullptr);

    uint32_t colorRef() const { return colorRef_; }
    void setColorRef(uint32_t colorRef);

  signals:
    void colorChanged(uint32_t colorRef);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void chooseColor();

    uint32_t colorRef_;
};
