// Accessibility - names and descriptions for screen readers. A control
// takes its name from its label (the label's buddy) or from its own text,
// and its description from its tooltip; controls without either are named
// by the page that creates them.
#ifndef FENNIMAR_DESKTOP_ACCESSIBILITY_H_
#define FENNIMAR_DESKTOP_ACCESSIBILITY_H_

#include <QString>
#include <QWidget>

namespace fennimar::desktop {

// "&Picture folder:" read aloud: "Picture folder".
QString SpokenText(const QString& label);

// Names every control below `root` that has no accessible name yet: the
// buddy of a label after the label, a button after its text; a control
// with a tooltip and no description is described by the tooltip.
void NameControls(QWidget& root);

}  // namespace fennimar::desktop

#endif  // FENNIMAR_DESKTOP_ACCESSIBILITY_H_
