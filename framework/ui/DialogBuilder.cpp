#include "framework/ui/DialogBuilder.h"

#include <QButtonGroup>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "framework/ui/Text.h"

namespace fw::ui {

DialogBaseUnits BaseUnitsOf(const QFont& font) {
  const QFontMetrics fm(font);
  const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  const int width = (fm.horizontalAdvance(alphabet) / 26 + 1) / 2;
  return {width, fm.height()};
}

QFont DialogFont(const DialogTemplate& tpl) {
  QFont font(ToQ(tpl.fontFace));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSize(tpl.fontPoints);
  return font;
}

CDialog::CDialog(const DialogTemplate& tpl, QWidget* parent) : QDialog(parent), m_template(tpl) {
  setWindowTitle(ToQ(tpl.caption));
  setFont(DialogFont(tpl));
  Qt::WindowFlags flags = Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;
  if (tpl.minimizeBox) flags |= Qt::WindowMinimizeButtonHint;
  setWindowFlags(flags);
  const DialogBaseUnits base = BaseUnitsOf(font());
  setFixedSize(DialogXToPixels(tpl.cx, base), DialogYToPixels(tpl.cy, base));
  for (const DialogControl& c : tpl.controls) {
    QWidget* w = CreateControl(c, base);
    const PixelRect r = DialogRectToPixels(c.x, c.y, c.cx, c.cy, base);
    w->setGeometry(r.x, r.y, r.width, r.height);
    if (c.id != IDC_STATIC) m_items.emplace(c.id, w);
  }
}

QWidget* CDialog::CreateControl(const DialogControl& c, const DialogBaseUnits&) {
  const QString text = ToQ(c.text);
  switch (c.kind) {
    case ControlKind::kGroupBox: {
      auto* g = new QGroupBox(text, this);
      g->lower();  // a group box frames the controls; it must not cover them
      return g;
    }
    case ControlKind::kLabel: return new QLabel(text, this);
    case ControlKind::kLabelNoPrefix: {
      auto* l = new QLabel(this);
      l->setTextFormat(Qt::PlainText);
      l->setText(text);
      return l;
    }
    case ControlKind::kIcon: {
      auto* l = new QLabel(this);
      l->setObjectName(QStringLiteral("icon"));
      return l;
    }
    case ControlKind::kListBox: {
      auto* l = new QListWidget(this);
      l->setSortingEnabled((c.style & kSorted) != 0);
      return l;
    }
    case ControlKind::kEdit: {
      auto* e = new QLineEdit(this);
      e->setReadOnly((c.style & kReadOnly) != 0);
      return e;
    }
    case ControlKind::kEditMultiline: {
      auto* e = new QPlainTextEdit(this);
      e->setReadOnly((c.style & kReadOnly) != 0);
      e->setLineWrapMode(QPlainTextEdit::NoWrap);
      return e;
    }
    case ControlKind::kRadioButton: return new QRadioButton(text, this);
    case ControlKind::kPushButton:
    case ControlKind::kDefPushButton: {
      auto* b = new QPushButton(text, this);
      b->setDefault(c.kind == ControlKind::kDefPushButton);
      b->setAutoDefault(c.kind == ControlKind::kDefPushButton);
      if (c.id == IDOK) connect(b, &QPushButton::clicked, this, &QDialog::accept);
      if (c.id == IDCANCEL) connect(b, &QPushButton::clicked, this, &QDialog::reject);
      return b;
    }
  }
  return new QWidget(this);
}

QWidget* CDialog::GetDlgItem(res::Id id) const {
  const auto it = m_items.find(id);
  return it == m_items.end() ? nullptr : it->second;
}

}  // namespace fw::ui
