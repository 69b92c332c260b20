// Lays out a dialog template given in dialog units, using the metrics of the
// template's font, and creates its controls.
#pragma once

#include <QDialog>
#include <QFont>
#include <map>
#include <vector>

#include "framework/DialogUnits.h"
#include "res/ResourceTypes.h"

namespace fw::qt {

// Base units of a font: average width of the alphabet and the line height.
DialogBaseUnits BaseUnitsOf(const QFont& font);

// The template's font ("MS Sans Serif" and friends map to a sans face).
QFont DialogFont(const res::DialogTemplate& tpl);

class CDialog : public QDialog {
 public:
  CDialog(const res::DialogTemplate& tpl, QWidget* parent);

  // The control with the given id; null for an unknown id.
  QWidget* GetDlgItem(res::Id id) const;
  template <typename T>
  T* Item(res::Id id) const {
    return qobject_cast<T*>(GetDlgItem(id));
  }

  const res::DialogTemplate& Template() const { return m_template; }
  // Every control, static ones included, in the template's order.
  const std::vector<QWidget*>& Controls() const { return m_controls; }

 private:
  QWidget* CreateControl(const res::DialogControl& c);
  void LineUpEditsWithLabels();

  const res::DialogTemplate& m_template;
  std::map<res::Id, QWidget*> m_items;
  std::vector<QWidget*> m_controls;
};

}  // namespace fw::qt
