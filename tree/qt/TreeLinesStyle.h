// The drive tree's branches as the tree's style asks for them: dotted lines
// joining each item to its parent and its siblings, also between the drives
// at the top level, and a small box with plus or minus on an item that can
// be opened or closed. The application's style draws no lines.
#pragma once

#include <QProxyStyle>

namespace tree::qt {

class TreeLinesStyle : public QProxyStyle {
 public:
  TreeLinesStyle();

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;

 private:
  static void DrawLines(const QStyleOption* option, QPainter* painter, bool firstAtTop);
  static void DrawButton(const QStyleOption* option, QPainter* painter);
};

}  // namespace tree::qt
