// A group box drawn as dialog templates mean it: the title sits at the top
// edge of the box's rectangle and the frame's top line runs through the
// middle of the title, broken where the title stands. The controls a
// template places in the box below the title then stay clear of both.
#pragma once

#include <QGroupBox>

namespace fw::qt {

class GroupFrame : public QGroupBox {
 public:
  GroupFrame(const QString& title, QWidget* parent);

  // Where the title's text is drawn; the frame line keeps a small gap.
  QRect TitleRect() const;
  // The frame's outline.
  QRect FrameRect() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace fw::qt
