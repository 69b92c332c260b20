#include "framework/qt/DialogBuilder.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionFrame>

#include <cmath>

#include "framework/qt/GroupFrame.h"
#include "framework/qt/Text.h"

namespace fw::qt {

// The width is the mean advance over the alphabet, unrounded; the height
// is the line's cell on the pixel grid, ascent and descent each rounded up,
// so that a control eight units high holds one line of text.
DialogBaseUnits BaseUnitsOf(const QFont& font) {
  const QFontMetricsF fm(font);
  const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  return {fm.horizontalAdvance(alphabet) / 52.0, std::ceil(fm.ascent()) + std::ceil(fm.descent())};
}

QFont DialogFont(const res::DialogTemplate& tpl) {
  QFont font(ToQ(tpl.fontFace));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSize(tpl.fontPoints);
  return font;
}

CDialog::CDialog(const res::DialogTemplate& tpl, QWidget* parent) : QDialog(parent), m_template(tpl) {
  setWindowTitle(ToQ(tpl.caption));
  setFont(DialogFont(tpl));
  Qt::WindowFlags flags = Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;
  if (tpl.minimizeBox) flags |= Qt::WindowMinimizeButtonHint;
  setWindowFlags(flags);
  const DialogBaseUnits base = BaseUnitsOf(font());
  setFixedSize(DialogXToPixels(tpl.cx, base), DialogYToPixels(tpl.cy, base));
  for (const res::DialogControl& c : tpl.controls) {
    QWidget* w = CreateControl(c);
    const PixelRect r = DialogRectToPixels(c.x, c.y, c.cx, c.cy, base);
    w->setGeometry(r.x, r.y, r.width, r.height);
    m_controls.push_back(w);
    if (c.id != IDC_UNNAMED) m_items.emplace(c.id, w);
  }
  LineUpEditsWithLabels();
}

namespace {
bool IsLabel(res::ControlKind k) { return k == res::ControlKind::kLabel || k == res::ControlKind::kLabelNoPrefix; }

// The label left of an edit whose top lies within the edit's height.
bool LabelsEdit(const res::DialogControl& label, const res::DialogControl& edit) {
  return IsLabel(label.kind) && label.x + label.cx <= edit.x && label.y >= edit.y &&
         label.y < edit.y + edit.cy;
}

// Where a top-aligned edit without text margins puts its text: inside its
// frame and the one pixel the line edit always keeps free.
int TextTop(const QLineEdit* e) {
  QStyleOptionFrame opt;
  opt.initFrom(e);
  const int frame = e->hasFrame() ? e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, e) : 0;
  return e->y() + frame + 1;
}
}  // namespace

// Rounding the two units between a label and its edit gives three pixels on
// one line and four on the next; the edit's text follows its label instead.
void CDialog::LineUpEditsWithLabels() {
  const auto controls = m_template.controls;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    auto* edit = qobject_cast<QLineEdit*>(m_controls[i]);
    if (edit == nullptr) continue;
    for (std::size_t j = 0; j < controls.size(); ++j) {
      if (!LabelsEdit(controls[j], controls[i])) continue;
      edit->setTextMargins(0, qMax(0, m_controls[j]->y() - TextTop(edit)), 0, 0);
      break;
    }
  }
}

// Static texts and single-line edits show their text at the top, as the
// templates expect: a label placed two units below its edit then stands on
// the edit's text line.
QWidget* CDialog::CreateControl(const res::DialogControl& c) {
  const QString text = ToQ(c.text);
  switch (c.kind) {
    case res::ControlKind::kGroupBox: {
      auto* g = new GroupFrame(text, this);
      g->lower();  // a group box frames the controls; it must not cover them
      return g;
    }
    case res::ControlKind::kLabel:
    case res::ControlKind::kLabelNoPrefix: {
      auto* l = new QLabel(this);
      if (c.kind == res::ControlKind::kLabelNoPrefix) l->setTextFormat(Qt::PlainText);
      l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      l->setText(text);
      return l;
    }
    case res::ControlKind::kIcon: {
      auto* l = new QLabel(this);
      l->setObjectName(QStringLiteral("icon"));
      return l;
    }
    case res::ControlKind::kListBox: {
      auto* l = new QListWidget(this);
      l->setSortingEnabled((c.style & res::kSorted) != 0);
      // A list box scrolls across only when its template asks for it.
      if ((c.style & res::kHScroll) == 0) l->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
      return l;
    }
    case res::ControlKind::kEdit: {
      auto* e = new QLineEdit(this);
      e->setReadOnly((c.style & res::kReadOnly) != 0);
      e->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      return e;
    }
    case res::ControlKind::kEditMultiline: {
      auto* e = new QPlainTextEdit(this);
      e->setReadOnly((c.style & res::kReadOnly) != 0);
      e->setLineWrapMode(QPlainTextEdit::NoWrap);
      return e;
    }
    case res::ControlKind::kRadioButton: return new QRadioButton(text, this);
    case res::ControlKind::kPushButton:
    case res::ControlKind::kDefPushButton: {
      auto* b = new QPushButton(text, this);
      b->setDefault(c.kind == res::ControlKind::kDefPushButton);
      b->setAutoDefault(c.kind == res::ControlKind::kDefPushButton);
      if (c.id == IDC_OK) connect(b, &QPushButton::clicked, this, &QDialog::accept);
      if (c.id == IDC_CANCEL) connect(b, &QPushButton::clicked, this, &QDialog::reject);
      return b;
    }
  }
  return new QWidget(this);
}

QWidget* CDialog::GetDlgItem(res::Id id) const {
  const auto it = m_items.find(id);
  return it == m_items.end() ? nullptr : it->second;
}

}  // namespace fw::qt
