#pragma once

#include <QLatin1String>
#include <QWidget>

class DialogUnits;
struct WindowTemplate;

// Creates every control of the template as a child of window, placed in pixels, in template
// order, and sizes the window. Each control's object name is its name in the template.
void CreateControls(QWidget& window, const WindowTemplate& layout, const DialogUnits& units);

// The control that CreateControls made under this name.
template <typename T> T* ControlNamed(QWidget& window, const char* name) {
    return window.findChild<T*>(QLatin1String(name), Qt::FindDirectChildrenOnly);
}
